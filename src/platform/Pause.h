#pragma once

class QWidget;

namespace tiravo {

// One frame of a draw: the control just changed is painted at once and then
// stays on the screen for the given time. The window takes no input meanwhile,
// just as the draws expect; that is why no event is processed while waiting.
class Pause {
public:
    virtual ~Pause() = default;

    // A null control only waits.
    virtual void showFor(QWidget* control, int milliseconds) = 0;
};

} // namespace tiravo
