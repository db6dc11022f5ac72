// The name screen's draw: the program's own work with the fake pause, by pool
// size, and a whole draw with the real pause against the 4,340 ms its pauses
// add up to (32 frames of 70 ms, 2000 ms of suspense, 100 ms of reveal).
#include "draws/VantaNome.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/ui/RepaintPause.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/FakePause.h"
#include "support/TempDatabase.h"

#include <QApplication>
#include <QElapsedTimer>

#include "BenchServices.h"
#include "PauseOverhead.h"
#include "QtBenchmarkMain.h"
#include "ResidentMemory.h"

#include <benchmark/benchmark.h>

namespace tiravo {
namespace {

constexpr double kPausesMilliseconds = 32 * 70 + 2000 + 100;

// Names of the column's whole width, every one available with a random key.
void FillNames(test::TempDatabase& db, int count) {
    db.exec(QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                "INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) SELECT "
                "substr('Participante ' || x || ' da Silva Pereira Santos Moreira', 1, 40), "
                "char(97 + abs(random() % 26), 97 + abs(random() % 26), 97 + abs(random() % 26), "
                "97 + abs(random() % 26)), 1, 1 FROM n")
                .arg(count));
}

void Reset(test::TempDatabase& db, TFVantaNome& w) {
    db.exec("UPDATE TbNome SET Ok = 1, Sorte = NULL");
    w.TbNome.close();
    w.TbNome.open();
    w.QrySorte.close();
    w.QrySorte.open();
}

// "Fazer Sorteio": the walk, the roll, the post, the winners list read again
// and the reshuffle of every name left.
void BM_NameDraw(benchmark::State& state) {
    test::TempDatabase db;
    FillNames(db, static_cast<int>(state.range(0)));
    BenchServices fake;
    TFVantaNome w(nullptr, fake.context(db.connection()));
    for (auto _ : state) {
        state.PauseTiming();
        Reset(db, w);
        fake.pause.clear();
        state.ResumeTiming();
        w.Button5Click();
    }
    if (!fake.dialogs.asked().isEmpty())
        state.SkipWithError("the draw asked a question");
}

void BM_NameDrawWithRealPause(benchmark::State& state) {
    test::TempDatabase db;
    FillNames(db, static_cast<int>(state.range(0)));
    RealPauseServices real;
    FirstFramePause& pause = real.pause;
    AppContext context(db.connection(), real.services());
    TFVantaNome w(nullptr, context);
    w.show();
    QApplication::processEvents();
    MeasurePauseOverhead(
        state, kPausesMilliseconds,
        [&] {
            Reset(db, w);
            pause.start();
        },
        [&] { w.Button5Click(); });
    state.counters["first_frame_ms"] = pause.firstFrameMilliseconds();
    state.counters["resident_mb"] = ResidentMegabytes();
}

BENCHMARK(BM_NameDraw)
    ->Arg(36)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_NameDrawWithRealPause)
    ->Arg(36)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
