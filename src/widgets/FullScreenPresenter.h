#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QRegion>
#include <QSize>

#include <atomic>
#include <functional>
#include <memory>

class QKeyEvent;
class QThreadPool;
class QWidget;

namespace tiravo {

class ScaledMirror;

// Shows a window of fixed design full screen on the monitor it is on, the
// whole design uniformly scaled, centred, the spare border in the window's
// background colour, and painted at the monitor's own resolution.
//
// The window's controls never move: they keep their geometry, the focus, the
// tab order and every key exactly as in the window. A mirror laid over them
// paints them scaled (text as text, pictures at the pixels they cover) and
// hands each click to the control drawn under the pointer. Every paint of a
// control, the immediate repaint of a draw's frame included, reaches the
// screen scaled before it returns, so frames keep their timing.
//
// F11 toggles; Esc leaves before it does anything else. Nothing is stored:
// the choice lasts as long as the window.
class FullScreenPresenter : public QObject {
    Q_OBJECT
public:
    explicit FullScreenPresenter(QWidget* window);
    ~FullScreenPresenter() override;

    bool isActive() const { return active_; }
    void enter();
    void leave();
    void toggle();

    // F11 toggles, and Esc leaves when full screen; true when the key was taken.
    bool takeKey(QKeyEvent* key);

    // While full screen: `picture` (black when null) alone covers the
    // monitor, or the window again. Leaving full screen ends it.
    void setBlank(bool blank, const QImage& picture = {});
    bool isBlank() const;

    // Design pixels to the monitor's pixels; 1 in the window.
    qreal scale() const;

    // The pointer is hidden over the full screen while `run` runs (a draw),
    // except while a message box or another modal window is up.
    void hidePointerWhile(const std::function<void()>& run);

    // The size in pixels `widget` is shown at: its own size in the window,
    // its scaled size when its window is full screen. Pictures are decoded
    // for this size.
    static QSize PresentedSize(const QWidget* widget);
    static FullScreenPresenter* Of(const QWidget* widget);

    // Pictures read from files are decoded again, on worker threads, for
    // the size they are shown at (PresentedSize) when that is larger.
    void sharpenPictures();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ScaledMirror;

    bool isDesignPart(const QObject* object) const;
    void noteDirty(QWidget* control, const QRegion& region);
    void mirrorPainted(const QRegion& region);
    void scheduleFlush();
    void flush();

    QWidget* window_;
    QPointer<ScaledMirror> mirror_;
    bool active_ = false;
    QSize design_;
    QRect windowedGeometry_;
    // What the controls painted that the mirror has not yet shown, in its
    // coordinates.
    QRegion pending_;
    bool syncing_ = false;
    bool flushScheduled_ = false;
    int pointerHidden_ = 0;
    std::unique_ptr<QThreadPool> decoders_;
    std::shared_ptr<std::atomic<bool>> decodesWanted_;
};

} // namespace tiravo
