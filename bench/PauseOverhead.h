#pragma once

#include "platform/Pause.h"

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace tiravo {

// A pause that notes when the first frame after start() goes up: the time the
// audience waits between the press and the first change on the screen.
class FirstFramePause final : public Pause {
public:
    explicit FirstFramePause(Pause& real) : real_(real) {}
    void start() {
        timer_.start();
        firstFrameMs_ = -1;
    }
    double firstFrameMilliseconds() const { return firstFrameMs_; }
    void showFor(QWidget* control, int milliseconds) override {
        if (firstFrameMs_ < 0)
            firstFrameMs_ = static_cast<double>(timer_.nsecsElapsed()) / 1e6;
        real_.showFor(control, milliseconds);
    }
    void setWork(WorkInPauses* work) override { real_.setWork(work); }

private:
    Pause& real_;
    QElapsedTimer timer_;
    double firstFrameMs_ = -1;
};

// A whole draw with the real pause, against the sum of its pauses: what is
// over them is the program's own time on screen. `reset` runs untimed
// before each draw.
template <class Reset, class Draw>
void MeasurePauseOverhead(benchmark::State& state, double pausesMilliseconds, Reset reset,
                          Draw draw) {
    double overhead = 0;
    for (auto _ : state) {
        state.PauseTiming();
        reset();
        state.ResumeTiming();
        QElapsedTimer timer;
        timer.start();
        draw();
        overhead = static_cast<double>(timer.nsecsElapsed()) / 1e6 - pausesMilliseconds;
    }
    state.counters["overhead_ms"] = overhead;
    state.counters["overhead_pct"] = 100.0 * overhead / pausesMilliseconds;
}

} // namespace tiravo
