#include "widgets/FullScreenPresenter.h"

#include "platform/Pictures.h"
#include "widgets/AudienceScreen.h"
#include "widgets/PictureBox.h"
#include "widgets/ScaledMirror.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPaintEvent>
#include <QScreen>
#include <QThreadPool>
#include <QWindow>

#include <cmath>

namespace tiravo {

FullScreenPresenter::FullScreenPresenter(QWidget* window)
    : QObject(window), window_(window), decoders_(std::make_unique<QThreadPool>()),
      decodesWanted_(std::make_shared<std::atomic<bool>>(true)) {
    decoders_->setMaxThreadCount(2);
}

FullScreenPresenter::~FullScreenPresenter() {
    *decodesWanted_ = false;
    decoders_->waitForDone();
}

FullScreenPresenter* FullScreenPresenter::Of(const QWidget* widget) {
    if (!widget)
        return nullptr;
    return widget->window()->findChild<FullScreenPresenter*>(QString(), Qt::FindDirectChildrenOnly);
}

qreal FullScreenPresenter::scale() const {
    return active_ ? mirror_->scale() * mirror_->devicePixelRatioF() : 1.0;
}

QSize FullScreenPresenter::PresentedSize(const QWidget* widget) {
    // On the audience's monitor the stage is shown larger than in the window.
    if (const AudienceScreen* audience = AudienceScreen::Of(widget)) {
        const QSize shown = audience->shownSize(widget);
        if (shown.width() > widget->width())
            return shown;
    }
    const FullScreenPresenter* presenter = Of(widget);
    if (!presenter || !presenter->isActive())
        return widget->size();
    const qreal scale = presenter->scale();
    return QSize(int(std::lround(widget->width() * scale)),
                 int(std::lround(widget->height() * scale)));
}

void FullScreenPresenter::toggle() {
    if (active_)
        leave();
    else
        enter();
}

bool FullScreenPresenter::takeKey(QKeyEvent* key) {
    if (key->key() == Qt::Key_F11 && !key->isAutoRepeat()) {
        toggle();
        return true;
    }
    if (key->key() == Qt::Key_Escape && active_) {
        leave();
        return true;
    }
    return false;
}

void FullScreenPresenter::enter() {
    if (active_ || !window_->isVisible())
        return;
    design_ = window_->size();
    windowedGeometry_ = window_->geometry();
    // The monitor the window is on is the one most of it covers; the
    // window's own idea of its screen may still be where it opened.
    QScreen* screen = QGuiApplication::screenAt(window_->frameGeometry().center());
    if (!screen)
        screen = window_->screen();
    if (!mirror_)
        mirror_ = new ScaledMirror(window_, *this, design_);
    active_ = true;
    pending_ = QRegion();
    window_->setMinimumSize(0, 0);
    window_->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    if (QWindow* handle = window_->windowHandle(); handle && handle->screen() != screen)
        handle->setScreen(screen);
    window_->setGeometry(screen->geometry());
    mirror_->setGeometry(window_->rect());
    mirror_->raise();
    mirror_->show();
    // On the application: the paints of every control of the window pass here.
    qApp->installEventFilter(this);
    window_->showFullScreen();
    sharpenPictures();
}

void FullScreenPresenter::setBlank(bool blank, const QImage& picture) {
    if (active_ && mirror_)
        mirror_->setBlank(blank, picture);
}

bool FullScreenPresenter::isBlank() const {
    return active_ && mirror_ && mirror_->isBlank();
}

void FullScreenPresenter::leave() {
    if (!active_)
        return;
    active_ = false;
    mirror_->setBlank(false);
    qApp->removeEventFilter(this);
    mirror_->hide();
    window_->showNormal();
    window_->setFixedSize(design_);
    window_->setGeometry(windowedGeometry_);
}

void FullScreenPresenter::hidePointerWhile(const std::function<void()>& run) {
    struct Hidden {
        FullScreenPresenter& presenter;
        explicit Hidden(FullScreenPresenter& p) : presenter(p) {
            if (++presenter.pointerHidden_ == 1 && presenter.mirror_)
                presenter.mirror_->setPointerHidden(true);
        }
        ~Hidden() {
            if (--presenter.pointerHidden_ == 0 && presenter.mirror_)
                presenter.mirror_->setPointerHidden(false);
        }
    } hidden(*this);
    run();
}

bool FullScreenPresenter::isDesignPart(const QObject* object) const {
    if (!object->isWidgetType())
        return false;
    const auto* widget = static_cast<const QWidget*>(object);
    return widget->window() == window_ && widget != mirror_ && !mirror_->isAncestorOf(widget);
}

bool FullScreenPresenter::eventFilter(QObject* watched, QEvent* event) {
    if (!mirror_)
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        // The controls paint only for the mirror; what they would have
        // painted into the window is where the mirror must paint anew.
        if (mirror_->isRendering() || !isDesignPart(watched))
            return false;
        noteDirty(static_cast<QWidget*>(watched), static_cast<QPaintEvent*>(event)->region());
        return true;
    case QEvent::UpdateRequest:
        if (watched != window_ || syncing_)
            return false;
        // The window paints what changed, which the mirror notes, and the
        // mirror shows it before the repaint that asked returns: a draw's
        // frame is on the screen, scaled, before its pause begins.
        syncing_ = true;
        QCoreApplication::sendEvent(window_, event);
        syncing_ = false;
        flush();
        return true;
    case QEvent::Resize:
        if (watched == window_)
            mirror_->setGeometry(window_->rect());
        return false;
    case QEvent::WindowBlocked:
    case QEvent::WindowUnblocked:
        if (watched == window_)
            mirror_->setBlocked(event->type() == QEvent::WindowBlocked);
        return false;
    default:
        return false;
    }
}

void FullScreenPresenter::noteDirty(QWidget* control, const QRegion& region) {
    pending_ += mirror_->toMirror(region.translated(control->mapTo(window_, QPoint())));
    scheduleFlush();
}

void FullScreenPresenter::mirrorPainted(const QRegion& region) {
    pending_ -= region;
}

void FullScreenPresenter::scheduleFlush() {
    // A paint that no update request brought (the window uncovered) is
    // shown once the event loop runs again.
    if (flushScheduled_ || syncing_)
        return;
    flushScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            flushScheduled_ = false;
            if (active_)
                flush();
        },
        Qt::QueuedConnection);
}

void FullScreenPresenter::flush() {
    if (!active_ || pending_.isEmpty())
        return;
    const QRegion region = pending_;
    pending_ = QRegion();
    // Opaque for its own repaint, the mirror hides the controls beneath
    // from it: they did not change and paint nothing.
    mirror_->setAttribute(Qt::WA_OpaquePaintEvent, true);
    mirror_->repaint(region);
    mirror_->setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void FullScreenPresenter::sharpenPictures() {
    // Pictures read from files were decoded for the window's size; they are
    // decoded again for the size they are now shown at, on worker threads,
    // and replace the smaller ones as they come. Until then the smaller
    // ones show, scaled up.
    for (PictureBox* box : window_->findChildren<PictureBox*>()) {
        const QString path = box->pictureName();
        if (!box->hasPicture() || path.isEmpty() || path.startsWith(QLatin1Char(':')) ||
            !box->isVisibleTo(window_))
            continue;
        const QSize size = PresentedSize(box);
        const QSize shown =
            PictureBox::pictureRect(box->mode(), box->picture().size(), box->size()).size();
        const qreal boxScale = qreal(size.width()) / box->width();
        if (boxScale <= 1 || box->picture().width() >= shown.width() * boxScale - 1)
            continue;
        const Qt::AspectRatioMode aspect = AspectOf(box->mode());
        QPointer<PictureBox> target(box);
        decoders_->start([target, path, size, aspect, wanted = decodesWanted_] {
            if (!*wanted)
                return;
            QImage picture;
            try {
                picture = LoadPictureToFit(path, size, aspect);
            } catch (...) {
                return; // the smaller picture stays
            }
            QMetaObject::invokeMethod(
                qApp,
                [target, path, picture] {
                    if (target && target->pictureName() == path)
                        target->setPicture(picture, path);
                },
                Qt::QueuedConnection);
        });
    }
}

} // namespace tiravo
