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
    RepaintPause();

    void showFor(QWidget* control, int milliseconds) override;

private:
    void workWhileShown(qint64 frameEnd);

    QElapsedTimer clock_;
    qint64 lastFrameEnd_ = -1; // nanoseconds, while frames follow one another
    // Fires only once the handler that runs the frames gives the event loop
    // back: that is where one run of frames ends.
    QTimer runOver_;
};

} // namespace tiravo
