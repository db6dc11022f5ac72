#pragma once

#include <QElapsedTimer>

#include <benchmark/benchmark.h>

namespace tiravo {

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
