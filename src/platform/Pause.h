#pragma once

#include <chrono>

class QWidget;

namespace tiravo {

// Work that may be done while the frames of a draw stand on the screen, a
// slice at a time, instead of after them while the audience waits.
class WorkInPauses {
public:
    using Deadline = std::chrono::steady_clock::time_point;
    virtual ~WorkInPauses() = default;

    // Does one slice, and more while `deadline` is not reached; answers
    // whether any work is left.
    virtual bool workUntil(Deadline deadline) = 0;
};

// One frame of a draw: the control just changed is painted at once and then
// stays on the screen for the given time. The window takes no input meanwhile,
// just as the draws expect; that is why no event is processed while waiting.
class Pause {
public:
    virtual ~Pause() = default;

    // A null control only waits.
    virtual void showFor(QWidget* control, int milliseconds) = 0;

    // The work that the frames shown from now on give their waiting time to,
    // once each is painted; null for none.
    virtual void setWork(WorkInPauses* work) { work_ = work; }

protected:
    WorkInPauses* work() const { return work_; }

private:
    WorkInPauses* work_ = nullptr;
};

} // namespace tiravo
