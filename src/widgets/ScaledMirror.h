#pragma once

#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

namespace tiravo {

class FullScreenPresenter;

// The face of a full-screen window: laid over the window's controls, it
// paints them scaled from their design into its own size and passes the
// pointer on to the control drawn under it. It never takes the focus, so the
// keys go where they go in the window.
class ScaledMirror final : public QWidget {
    Q_OBJECT
public:
    ScaledMirror(QWidget* window, FullScreenPresenter& presenter, QSize design);

    // Design pixels to the mirror's (logical) pixels, and where the design's
    // corner lies.
    qreal scale() const { return scale_; }
    QPointF offset() const { return offset_; }
    QRegion toMirror(const QRegion& design) const;
    QRegion toDesign(const QRegion& mirror) const;
    QPointF toDesign(QPointF mirror) const;

    // True while the controls paint for the mirror rather than for the window.
    bool isRendering() const { return rendering_; }

    void setPointerHidden(bool hidden);
    // Only `picture` (black when null) covers the monitor, or the design again.
    void setBlank(bool blank, const QImage& picture = {});
    bool isBlank() const { return blank_; }
    void setBlocked(bool blocked);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool event(QEvent* event) override;

private:
    // The control the window would give a click at `point` (design pixels).
    QWidget* controlAt(QPointF point) const;
    void forward(QMouseEvent* event);
    void showCursorOf(QWidget* control);
    bool showToolTip(const QPoint& at, const QPoint& global);

    QWidget* window_;
    FullScreenPresenter& presenter_;
    QSize design_;
    qreal scale_ = 1;
    QPointF offset_;
    bool rendering_ = false;
    bool pointerHidden_ = false;
    bool blocked_ = false;
    bool blank_ = false;
    QImage blankPicture_;
    // A press holds the pointer to its control until the last button is up,
    // as the window does.
    QPointer<QWidget> grabbed_;
    QPointer<QWidget> under_;
};

} // namespace tiravo
