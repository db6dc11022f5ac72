#pragma once

#include "platform/Pause.h"

#include <QElapsedTimer>
#include <QTimer>

namespace tiravo {

// Frames of a draw on the real screen. A frame lasts its time from the moment
// the frame before it ended: the work of putting it up (a photo taken from
// the decoder, the repaint) is part of the frame, not added to it, so a run of
// 70 ms frames shows a picture every 70 ms. Work beyond half the frame makes
// the frame late rather than short, so that each picture is seen. The first
// frame after the event loop has run, when no frame came just before, is held
// its whole time after its repaint. Work given to the pause runs after the
// repaint, in the time the frame would otherwise spend asleep.
class RepaintPause final : public Pause {
public:
    // Where the frames read the time and wait: the monotonic clock and a
    // real sleep, or a test's own, so that the length of each wait can be
    // checked without timing a busy machine.
    class Time {
    public:
        virtual ~Time() = default;
        virtual qint64 nanoseconds() = 0; // monotonic
        virtual void sleep(qint64 nanoseconds) = 0;
    };

    RepaintPause();
    explicit RepaintPause(Time& time);

    void showFor(QWidget* control, int milliseconds) override;

private:
    class RealTime final : public Time {
    public:
        RealTime() { clock_.start(); }
        qint64 nanoseconds() override { return clock_.nsecsElapsed(); }
        void sleep(qint64 nanoseconds) override;

    private:
        QElapsedTimer clock_;
    };

    void workWhileShown(qint64 frameEnd);

    RealTime realTime_;
    Time& time_;
    qint64 lastFrameEnd_ = -1; // nanoseconds, while frames follow one another
    // Fires only once the handler that runs the frames gives the event loop
    // back: that is where one run of frames ends.
    QTimer runOver_;
};

} // namespace tiravo
