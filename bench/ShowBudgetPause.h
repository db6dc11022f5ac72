#pragma once

#include "platform/Pause.h"

#include <QElapsedTimer>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <functional>

namespace tiravo {

// A pause that gives the draw's work each frame's own time, as the screen's
// pause does, but never sleeps the rest of it: a long run of draws is timed
// in what its work costs, not in what its show lasts. The time a frame's work
// took, up to the frame's length, is hidden behind the show; what is left
// over (a slice that ran past its frame, and everything done outside the
// pauses) is the program's own time on screen.
class ShowBudgetPause final : public Pause {
public:
    void showFor(QWidget* control, int milliseconds) override {
        showMs_ += milliseconds;
        QElapsedTimer spent;
        spent.start();
        if (work() && milliseconds > 0)
            work()->workUntil(std::chrono::steady_clock::now() +
                              std::chrono::milliseconds(milliseconds));
        hiddenMs_ += std::min(double(spent.nsecsElapsed()) / 1e6, double(milliseconds));
        if (during)
            during(control ? control->objectName() : QString(), milliseconds);
    }

    double showMilliseconds() const { return showMs_; }
    double hiddenMilliseconds() const { return hiddenMs_; }
    void clear() { showMs_ = hiddenMs_ = 0; }

    std::function<void(const QString& control, int milliseconds)> during;

private:
    double showMs_ = 0;
    double hiddenMs_ = 0;
};

} // namespace tiravo
