#include "widgets/ScaledMirror.h"

#include "widgets/DesignRender.h"
#include "widgets/FullScreenPresenter.h"

#include <QApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>

namespace tiravo {

namespace {

// The focus a click gives, as the window gives it: to the first control from
// the one clicked outwards that takes the focus by clicking.
void GiveClickFocus(QWidget* control, QPointF local) {
    for (QWidget* w = control; w; w = w->parentWidget()) {
        QWidget* taker = w;
        while (taker->focusProxy())
            taker = taker->focusProxy();
        const auto takesClicks = [](const QWidget* x) {
            return (x->focusPolicy() & Qt::ClickFocus) == Qt::ClickFocus;
        };
        if (w->isEnabled() && w->rect().contains(local.toPoint()) && takesClicks(w) &&
            takesClicks(taker)) {
            w->setFocus(Qt::MouseFocusReason);
            return;
        }
        if (w->isWindow())
            return;
        local += w->pos();
    }
}

QCursor CursorOf(const QWidget* control) {
    for (const QWidget* w = control; w; w = w->parentWidget()) {
        if (w->testAttribute(Qt::WA_SetCursor))
            return w->cursor();
        if (w->isWindow())
            break;
    }
    return Qt::ArrowCursor;
}

} // namespace

ScaledMirror::ScaledMirror(QWidget* window, FullScreenPresenter& presenter, QSize design)
    : QWidget(window), window_(window), presenter_(presenter), design_(design) {
    setObjectName(QStringLiteral("FullScreen"));
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
    setGeometry(window->rect());
}

QRegion ScaledMirror::toMirror(const QRegion& design) const {
    QRegion mirror;
    for (const QRect& r : design)
        mirror += QRectF(offset_ + QPointF(r.topLeft()) * scale_, QSizeF(r.size()) * scale_)
                      .toAlignedRect();
    return mirror;
}

QRegion ScaledMirror::toDesign(const QRegion& mirror) const {
    QRegion design;
    for (const QRect& r : mirror)
        design += QRectF(toDesign(QPointF(r.topLeft())), QSizeF(r.size()) / scale_).toAlignedRect();
    return design & QRect(QPoint(), design_);
}

QPointF ScaledMirror::toDesign(QPointF mirror) const {
    return (mirror - offset_) / scale_;
}

void ScaledMirror::resizeEvent(QResizeEvent*) {
    scale_ = std::min(qreal(width()) / design_.width(), qreal(height()) / design_.height());
    offset_ = QPointF((width() - design_.width() * scale_) / 2,
                      (height() - design_.height() * scale_) / 2);
}

void ScaledMirror::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (blank_) {
        painter.fillRect(rect(), Qt::black);
        if (!blankPicture_.isNull()) {
            // The picture covers the monitor; what overflows is cut evenly.
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            const QSize covered =
                blankPicture_.size().scaled(size(), Qt::KeepAspectRatioByExpanding);
            painter.drawImage(
                QRect(QPoint((width() - covered.width()) / 2, (height() - covered.height()) / 2),
                      covered),
                blankPicture_);
        }
        presenter_.mirrorPainted(event->region());
        return;
    }
    const QBrush background = window_->palette().brush(window_->backgroundRole());
    for (const QRect& r : event->region())
        painter.fillRect(r, background);
    const QRegion source = toDesign(event->region());
    if (!source.isEmpty()) {
        painter.translate(offset_);
        painter.scale(scale_, scale_);
        rendering_ = true;
        // The mirror itself is on top of the controls.
        RenderDesign(painter, window_, source, this);
        rendering_ = false;
    }
    presenter_.mirrorPainted(event->region());
}

QWidget* ScaledMirror::controlAt(QPointF point) const {
    if (!QRectF(QPointF(), QSizeF(design_)).contains(point))
        return nullptr;
    const QPoint at = point.toPoint();
    const QObjectList& children = window_->children();
    for (auto it = children.rbegin(); it != children.rend(); ++it) {
        auto* control = qobject_cast<QWidget*>(*it);
        if (!control || control == this || control->isWindow() || control->isHidden() ||
            control->testAttribute(Qt::WA_TransparentForMouseEvents) ||
            !control->geometry().contains(at))
            continue;
        QWidget* inner = control->childAt(at - control->pos());
        return inner ? inner : control;
    }
    return window_;
}

void ScaledMirror::forward(QMouseEvent* event) {
    const QPointF point = toDesign(event->position());
    const bool press =
        event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    QWidget* control = grabbed_ ? grabbed_.data() : controlAt(point);
    if (press && !grabbed_)
        grabbed_ = control;
    if (event->type() == QEvent::MouseMove && !grabbed_)
        showCursorOf(control);
    if (control) {
        const QPointF local = control->mapFrom(window_, point);
        if (event->type() == QEvent::MouseButtonPress)
            GiveClickFocus(control, local);
        QMouseEvent copy(event->type(), local, point, event->globalPosition(), event->button(),
                         event->buttons(), event->modifiers(), event->pointingDevice());
        QApplication::sendEvent(control, &copy);
    }
    if (event->buttons() == Qt::NoButton)
        grabbed_ = nullptr;
    event->accept();
}

void ScaledMirror::mousePressEvent(QMouseEvent* event) {
    forward(event);
}

void ScaledMirror::mouseReleaseEvent(QMouseEvent* event) {
    forward(event);
}

void ScaledMirror::mouseDoubleClickEvent(QMouseEvent* event) {
    forward(event);
}

void ScaledMirror::mouseMoveEvent(QMouseEvent* event) {
    forward(event);
}

void ScaledMirror::wheelEvent(QWheelEvent* event) {
    const QPointF point = toDesign(event->position());
    QWidget* control = controlAt(point);
    if (!control)
        return;
    QWheelEvent copy(control->mapFrom(window_, point), event->globalPosition(), event->pixelDelta(),
                     event->angleDelta(), event->buttons(), event->modifiers(), event->phase(),
                     event->inverted(), event->source(), event->pointingDevice());
    QApplication::sendEvent(control, &copy);
}

bool ScaledMirror::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        if (!showToolTip(help->pos(), help->globalPos())) {
            QToolTip::hideText();
            event->ignore();
        }
        return true;
    }
    if (event->type() == QEvent::Leave)
        under_ = nullptr;
    return QWidget::event(event);
}

bool ScaledMirror::showToolTip(const QPoint& at, const QPoint& global) {
    for (QWidget* w = controlAt(toDesign(QPointF(at))); w && w != window_; w = w->parentWidget()) {
        if (w->toolTip().isEmpty())
            continue;
        // Shown while the pointer stays over the control's scaled place.
        const QRect place = toMirror(QRect(w->mapTo(window_, QPoint()), w->size())).boundingRect();
        QToolTip::showText(global, w->toolTip(), this, place);
        return true;
    }
    return false;
}

void ScaledMirror::showCursorOf(QWidget* control) {
    under_ = control;
    if (pointerHidden_ && !blocked_)
        setCursor(Qt::BlankCursor);
    else
        setCursor(CursorOf(control));
}

void ScaledMirror::setPointerHidden(bool hidden) {
    pointerHidden_ = hidden;
    showCursorOf(under_);
}

void ScaledMirror::setBlank(bool blank, const QImage& picture) {
    blank_ = blank;
    blankPicture_ = blank ? picture : QImage();
    repaint();
}

void ScaledMirror::setBlocked(bool blocked) {
    blocked_ = blocked;
    showCursorOf(under_);
}

} // namespace tiravo
