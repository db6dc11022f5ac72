// The number screen's own work, with the fake pause so that only the program
// counts: one multi-entry draw by pool size, the range insertion of the
// editor, and a draw with the real pause against the sum of its pauses.
#include "draws/IncluirNumero.h"
#include "draws/VantaNumero.h"
#include "draws/model/PoolKeys.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/ui/RepaintPause.h"
#include "store/WriteScope.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/FakePause.h"
#include "support/TempDatabase.h"
#include "widgets/WindowLook.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSpinBox>

#include "BenchServices.h"
#include "PauseOverhead.h"
#include "QtBenchmarkMain.h"
#include "ResidentMemory.h"

#include <benchmark/benchmark.h>

namespace tiravo {
namespace {

// A pool as the draws leave it: every number available with a random key.
void FillPool(test::TempDatabase& db, int count) {
    db.exec(QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                "INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) SELECT x, "
                "char(97 + abs(random() % 26), 97 + abs(random() % 26), 97 + abs(random() % 26), "
                "97 + abs(random() % 26)), 1, 0 FROM n")
                .arg(count));
}

// Every number back in the pool and the winners list empty, as before the
// first draw, read again by the screen.
void Reset(test::TempDatabase& db, TFVantaNumero& w) {
    db.exec("UPDATE TbNumero SET Ok = 1, Ativo = 0, Sorte = NULL");
    w.TbNumero.close();
    w.TbNumero.open();
    w.QrySorte.requery();
}

// "Fazer Sorteio" over the pool: the walk, the post, the winners re-run and
// the reshuffle of every row left.
void BM_Draw(benchmark::State& state) {
    test::TempDatabase db;
    FillPool(db, static_cast<int>(state.range(0)));
    BenchServices fake;
    TFVantaNumero w(nullptr, fake.context(db.connection()));
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

// The reshuffle alone, and the reseeds it makes, to tell where a draw's time goes.
void BM_Reshuffle(benchmark::State& state) {
    test::TempDatabase db;
    FillPool(db, static_cast<int>(state.range(0)));
    BenchServices fake;
    TFVantaNumero w(nullptr, fake.context(db.connection()));
    for (auto _ : state)
        ReshufflePool(w.TbNumero, fake.random);
}

void BM_Reseed(benchmark::State& state) {
    SystemRandom random;
    for (auto _ : state)
        random.reseed();
}

// "Incluir" from 1 to 100,000 in the editor, the grid following.
void BM_RangeInsertion(benchmark::State& state) {
    BenchServices fake;
    for (auto _ : state) {
        state.PauseTiming();
        auto db = std::make_unique<test::TempDatabase>();
        auto editor = std::make_unique<TFIncluirNumero>(nullptr, fake.context(db->connection()));
        editor->RxSpinEdit1->setValue(1);
        editor->RxSpinEdit2->setValue(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        editor->Button1Click();
        state.PauseTiming();
        if (editor->TbNumero.recordCount() != state.range(0))
            state.SkipWithError("not every number was added");
        editor.reset();
        db.reset();
        state.ResumeTiming();
    }
}

// A whole draw with the real pause on a shown screen, against the 1,940 ms
// its pauses add up to for more than ten numbers: what is over them is what
// the audience waits for. Also the time from the press to the first frame,
// and the memory of the whole program after the draw.
void BM_DrawWithRealPause(benchmark::State& state) {
    test::TempDatabase db;
    FillPool(db, static_cast<int>(state.range(0)));
    RealPauseServices real;
    FirstFramePause& pause = real.pause;
    AppContext context(db.connection(), real.services());
    TFVantaNumero w(nullptr, context);
    w.show();
    QApplication::processEvents();
    MeasurePauseOverhead(
        state, 1940.0,
        [&] {
            Reset(db, w);
            pause.start();
        },
        [&] { w.Button5Click(); });
    state.counters["first_frame_ms"] = pause.firstFrameMilliseconds();
    state.counters["resident_mb"] = ResidentMegabytes();
}

// Opening the screen and the editor over a large pool.
void BM_OpenScreen(benchmark::State& state) {
    test::TempDatabase db;
    FillPool(db, static_cast<int>(state.range(0)));
    BenchServices fake;
    for (auto _ : state) {
        TFVantaNumero w(nullptr, fake.context(db.connection()));
        benchmark::DoNotOptimize(w.TbNumero.recordCount());
    }
}

void BM_OpenEditor(benchmark::State& state) {
    test::TempDatabase db;
    FillPool(db, static_cast<int>(state.range(0)));
    BenchServices fake;
    for (auto _ : state) {
        TFIncluirNumero w(nullptr, fake.context(db.connection()));
        benchmark::DoNotOptimize(w.TbNumero.recordCount());
    }
}

BENCHMARK(BM_Draw)
    ->Arg(90)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Reshuffle)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_Reseed)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RangeInsertion)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_DrawWithRealPause)
    ->Arg(90)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_OpenScreen)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenEditor)->Arg(1000000)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
