#include "platform/ui/RepaintPause.h"

#include <QWidget>

#include <chrono>
#include <thread>

namespace tiravo {

void RepaintPause::RealTime::sleep(qint64 nanoseconds) {
    std::this_thread::sleep_for(std::chrono::nanoseconds(nanoseconds));
}

RepaintPause::RepaintPause() : RepaintPause(realTime_) {}

RepaintPause::RepaintPause(Time& time) : time_(time) {
    runOver_.setSingleShot(true);
    runOver_.setInterval(0);
    QObject::connect(&runOver_, &QTimer::timeout, [this] { lastFrameEnd_ = -1; });
}

void RepaintPause::showFor(QWidget* control, int milliseconds) {
    const qint64 now = time_.nanoseconds();
    const qint64 length = qint64(milliseconds) * 1'000'000;
    // The work counts for half the frame at most: a frame that ran late is
    // still seen, not replaced at once by the next.
    const qint64 start = lastFrameEnd_ >= 0 ? qMax(lastFrameEnd_, now - length / 2) : now;
    // repaint() paints before it returns; update() would only paint once the
    // handler gives the event loop back, after the whole draw.
    if (control)
        control->repaint();
    if (work())
        workWhileShown(start + length);
    const qint64 left = start + length - time_.nanoseconds();
    if (left > 0)
        time_.sleep(left);
    // A frame that ran late does not shorten the ones after it.
    lastFrameEnd_ = time_.nanoseconds();
    runOver_.start();
}

void RepaintPause::workWhileShown(qint64 frameEnd) {
    // A slice is short, but the frame must not end late for it: the work
    // stops a little before the frame's end.
    constexpr qint64 kMargin = 3'000'000;
    const qint64 left = frameEnd - kMargin - time_.nanoseconds();
    if (left <= 0)
        return;
    work()->workUntil(std::chrono::steady_clock::now() + std::chrono::nanoseconds(left));
}

} // namespace tiravo
