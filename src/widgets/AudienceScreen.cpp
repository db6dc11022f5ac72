#include "widgets/AudienceScreen.h"

#include "platform/Pictures.h"
#include "widgets/AudienceWinnersList.h"
#include "widgets/DesignRender.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>
#include <cmath>

namespace tiravo {

namespace {

// The layout, in design pixels: the stage on the left with the logo strip
// under it, the winners on the right.
const QRectF kStageArea(64, 56, 1300, 780);
const QRectF kLogoArea(64, 868, 1300, 176);
const QRectF kWinnersArea(1412, 56, 444, 988);

QRect InWindow(const QWidget* control, const QWidget* window) {
    return {control->mapTo(window, QPoint()), control->size()};
}

} // namespace

QScreen* AudienceMonitor(const QWidget* window, const QString& preferred) {
    // The monitor the window is on is the one most of it covers.
    const QScreen* own = QGuiApplication::screenAt(window->frameGeometry().center());
    if (!own)
        own = window->screen();
    QScreen* first = nullptr;
    for (QScreen* screen : QGuiApplication::screens()) {
        if (screen == own)
            continue;
        if (!preferred.isEmpty() && screen->name() == preferred)
            return screen;
        if (!first)
            first = screen;
    }
    return first;
}

AudienceScreen::AudienceScreen(QWidget* window, const AudienceParts& parts)
    : QWidget(window, Qt::Window | Qt::WindowDoesNotAcceptFocus), window_(window),
      backgroundPath_(parts.background) {
    setObjectName(QStringLiteral("AudienceScreen"));
    setWindowTitle(window->windowTitle());
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::BlankCursor);
    if (parts.stage) {
        const QRect source = InWindow(parts.stage, window);
        parts_.push_back({source, FitInto(source.size(), kStageArea)});
    }
    // Each logo in a third of the strip, so the bevels between them stay out.
    const qreal slot = kLogoArea.width() / std::max<qsizetype>(3, parts.logos.size());
    for (qsizetype i = 0; i < parts.logos.size(); ++i) {
        const QRect source = InWindow(parts.logos[i], window);
        const QRectF area(kLogoArea.left() + slot * qreal(i), kLogoArea.top(), slot,
                          kLogoArea.height());
        parts_.push_back({source, FitInto(source.size(), area.adjusted(8, 0, -8, 0))});
    }
}

AudienceScreen::~AudienceScreen() {
    if (showing_)
        qApp->removeEventFilter(this);
}

AudienceScreen* AudienceScreen::Of(const QWidget* widget) {
    if (!widget)
        return nullptr;
    auto* audience =
        widget->window()->findChild<AudienceScreen*>(QString(), Qt::FindDirectChildrenOnly);
    return audience && audience->showing_ ? audience : nullptr;
}

void AudienceScreen::start(QScreen* monitor) {
    if (showing_ || !monitor)
        return;
    monitor_ = monitor;
    showing_ = true;
    connect(qApp, &QGuiApplication::screenRemoved, this, [this](QScreen* gone) {
        if (gone == monitor_ || monitor_.isNull())
            end();
    });
    winId(); // the native window, so that it can be placed before it shows
    windowHandle()->setScreen(monitor);
    setGeometry(monitor->geometry());
    // On the application: the paints of every control of the draw screen pass here.
    qApp->installEventFilter(this);
    // The window manager's full screen, as showFullScreen() asks for it, but
    // without taking the focus: the operator's keys stay with the draw screen.
    const bool wasActive = window_->isActiveWindow();
    setWindowState((windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized)) |
                   Qt::WindowFullScreen);
    setVisible(true);
    // A platform that activates every window it shows gets the draw screen back.
    if (wasActive && !window_->isActiveWindow())
        window_->activateWindow();
}

void AudienceScreen::end() {
    if (!showing_)
        return;
    showing_ = false;
    qApp->removeEventFilter(this);
    disconnect(qApp, &QGuiApplication::screenRemoved, this, nullptr);
    hide();
    emit ended();
}

void AudienceScreen::setBlank(bool blank) {
    if (blank_ == blank)
        return;
    blank_ = blank;
    if (showing_)
        repaint();
}

void AudienceScreen::setWinners(const QList<AudienceWinner>& winners) {
    QList<AudienceWinner> given = winners;
    for (AudienceWinner& winner : given) {
        if (!winner.picture.isNull() || winner.picturePath.isEmpty())
            continue;
        for (const AudienceWinner& before : std::as_const(winners_))
            if (before.picturePath == winner.picturePath)
                winner.picture = before.picture;
    }
    winners_ = given;
    if (showing_)
        repaint(toScreen(kWinnersArea).toAlignedRect());
}

QRectF AudienceScreen::toScreen(const QRectF& design) const {
    return {offset_ + design.topLeft() * scale_, design.size() * scale_};
}

QRect AudienceScreen::placeOf(const Part& part) const {
    return toScreen(part.target).toAlignedRect();
}

QRect AudienceScreen::placeOf(const QWidget* control) const {
    if (!control || control->window() != window_)
        return {};
    const QRect source = InWindow(control, window_);
    for (const Part& part : parts_) {
        if (!part.source.contains(source))
            continue;
        const QRectF target = toScreen(part.target);
        const qreal k = target.width() / part.source.width();
        return QRectF(target.topLeft() + QPointF(source.topLeft() - part.source.topLeft()) * k,
                      QSizeF(source.size()) * k)
            .toAlignedRect();
    }
    return {};
}

QSize AudienceScreen::shownSize(const QWidget* control) const {
    const QRect place = placeOf(control);
    if (place.isEmpty())
        return {};
    const qreal ratio = devicePixelRatioF();
    return {int(std::lround(place.width() * ratio)), int(std::lround(place.height() * ratio))};
}

void AudienceScreen::resizeEvent(QResizeEvent*) {
    scale_ = std::min(qreal(width()) / kDesign.width(), qreal(height()) / kDesign.height());
    offset_ = QPointF((width() - kDesign.width() * scale_) / 2,
                      (height() - kDesign.height() * scale_) / 2);
    makeBackground();
}

void AudienceScreen::makeBackground() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
    if (pixels.isEmpty())
        return;
    if (!backgroundPath_.isEmpty() && backgroundPicture_.isNull()) {
        try {
            backgroundPicture_ =
                LoadPictureToFit(backgroundPath_, pixels, Qt::KeepAspectRatioByExpanding);
        } catch (const std::exception&) {
            backgroundPath_.clear(); // a background that cannot be read leaves black
        }
    }
    QImage canvas(pixels, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    if (!backgroundPicture_.isNull()) {
        // The picture covers the whole monitor; what overflows is cut evenly.
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        const QSize covered =
            backgroundPicture_.size().scaled(pixels, Qt::KeepAspectRatioByExpanding);
        painter.drawImage(QRect(QPoint((pixels.width() - covered.width()) / 2,
                                       (pixels.height() - covered.height()) / 2),
                                covered),
                          backgroundPicture_);
    }
    background_ = QPixmap::fromImage(canvas);
    background_.setDevicePixelRatio(ratio);
}

void AudienceScreen::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.drawPixmap(0, 0, background_);
    if (blank_)
        return;
    const QRegion region = event->region();
    rendering_ = true;
    for (const Part& part : parts_) {
        const QRectF target = toScreen(part.target);
        const QRegion shown = region & target.toAlignedRect();
        if (shown.isEmpty())
            continue;
        const qreal k = target.width() / part.source.width();
        QRegion source;
        for (const QRect& r : shown)
            source += QRectF(part.source.topLeft() + (QPointF(r.topLeft()) - target.topLeft()) / k,
                             QSizeF(r.size()) / k)
                          .toAlignedRect();
        painter.save();
        painter.setClipRect(target);
        painter.translate(target.topLeft());
        painter.scale(k, k);
        painter.translate(-part.source.topLeft());
        RenderDesign(painter, window_, source & part.source);
        painter.restore();
    }
    rendering_ = false;
    if (region.intersects(toScreen(kWinnersArea).toAlignedRect())) {
        painter.save();
        painter.translate(offset_);
        painter.scale(scale_, scale_);
        PaintWinnersList(painter, kWinnersArea, winners_);
        painter.restore();
    }
    pending_ -= region;
}

bool AudienceScreen::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::Paint: {
        if (rendering_ || !watched->isWidgetType())
            return false;
        auto* control = static_cast<QWidget*>(watched);
        if (control == window_ || control->window() != window_)
            return false;
        // The draw screen paints as ever; what it painted of the stage is
        // where this screen must paint anew.
        noteDirty(control, static_cast<QPaintEvent*>(event)->region());
        return false;
    }
    case QEvent::UpdateRequest:
        if (watched != window_ || syncing_)
            return false;
        // The draw screen paints what changed, which is noted, and this
        // screen shows it before the repaint that asked returns: a frame is
        // on both monitors before its pause begins.
        syncing_ = true;
        QCoreApplication::sendEvent(window_, event);
        syncing_ = false;
        flush();
        return true;
    case QEvent::Hide:
        // The draw screen closes: the audience's screen goes with it.
        if (watched == window_ && !event->spontaneous())
            end();
        return false;
    case QEvent::Close:
        // Closed by the window manager: it ends as F11 would end it.
        if (watched == this)
            end();
        return false;
    default:
        return false;
    }
}

void AudienceScreen::noteDirty(QWidget* control, const QRegion& region) {
    const QRegion inWindow = region.translated(control->mapTo(window_, QPoint()));
    for (const Part& part : parts_) {
        const QRegion source = inWindow & part.source;
        if (source.isEmpty())
            continue;
        const QRectF target = toScreen(part.target);
        const qreal k = target.width() / part.source.width();
        for (const QRect& r : source)
            pending_ += QRectF(target.topLeft() + QPointF(r.topLeft() - part.source.topLeft()) * k,
                               QSizeF(r.size()) * k)
                            .toAlignedRect()
                            .adjusted(-1, -1, 1, 1) &
                        target.toAlignedRect();
    }
    if (!pending_.isEmpty())
        scheduleFlush();
}

void AudienceScreen::scheduleFlush() {
    // A paint that no update request brought is shown once the event loop
    // runs again.
    if (flushScheduled_ || syncing_)
        return;
    flushScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            flushScheduled_ = false;
            flush();
        },
        Qt::QueuedConnection);
}

void AudienceScreen::flush() {
    if (!showing_ || pending_.isEmpty())
        return;
    const QRegion region = pending_;
    pending_ = QRegion();
    repaint(region);
}

} // namespace tiravo
