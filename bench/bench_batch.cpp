// "Sortear vários...": a batch of 450 draws through the screen. Each frame
// gives the draw's work its own time without sleeping it (ShowBudgetPause),
// so what is over the frames is the program's own time on screen; its
// shortened show is the sum of the pauses the batch asked for. Resident memory is sampled
// after the 10th and after the last draw: a batch must not grow with its
// length.
//   TIRAVO_BENCH_ROWS=2000 build/bench/bench_batch --benchmark_min_time=0
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "draws/model/DrawBatch.h"
#include "support/TempDatabase.h"

#include <QAction>
#include <QElapsedTimer>

#include "BenchRows.h"
#include "BenchServices.h"
#include "QtBenchmarkMain.h"
#include "ResidentMemory.h"
#include "ShowBudgetPause.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace tiravo {
namespace {

constexpr int kBatch = 450;

QString Keys() {
    return QStringLiteral("char(97 + abs(random() % 26), 97 + abs(random() % 26), "
                          "97 + abs(random() % 26), 97 + abs(random() % 26))");
}

QString Series(int count) {
    return QStringLiteral(
               "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) ")
        .arg(count);
}

void FillNumbers(test::TempDatabase& db, int count) {
    db.exec(Series(count) + QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                           "SELECT x, %1, 1, 0 FROM n")
                                .arg(Keys()));
}

void FillNames(test::TempDatabase& db, int count) {
    db.exec(Series(count) +
            QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) SELECT "
                           "substr('Participante ' || x || ' da Silva Pereira Santos', 1, 40), "
                           "%1, 1, 1 FROM n")
                .arg(Keys()));
}

template <class Screen>
void RunBatch(benchmark::State& state, void (*fill)(test::TempDatabase&, int), int rows) {
    const int size = BenchRows(rows);
    const int batch = std::min(kBatch, size - 1);
    test::TempDatabase db;
    fill(db, size);
    SystemClock clock;
    ShowBudgetPause pause;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    SystemRandom random;
    AppContext context(db.connection(), Services{clock, pause, dialogs, desktop, random});
    auto w = std::make_unique<Screen>(nullptr, context);
    double afterTen = 0;
    int reveals = 0;
    pause.during = [&](const QString& control, int milliseconds) {
        // The second each winner stands, a wait of no control of its own.
        if (control.isEmpty() && milliseconds == kBatchWinnerMilliseconds && ++reveals == 10)
            afterTen = ResidentMegabytes();
    };
    double elapsed = 0;
    for (auto _ : state) {
        pause.clear();
        dialogs.answerNumber(batch);
        QElapsedTimer timer;
        timer.start();
        w->DrawMany->trigger();
        elapsed = double(timer.nsecsElapsed()) / 1e6;
        state.SetIterationTime(elapsed / 1000);
    }
    const double after = ResidentMegabytes();
    if (!dialogs.texts(DialogKind::Error).isEmpty() || reveals != batch)
        state.SkipWithError("the batch did not draw every winner");
    const double show = pause.showMilliseconds();
    const double own = elapsed - pause.hiddenMilliseconds();
    state.counters["draws"] = batch;
    state.counters["work_ms"] = elapsed;
    state.counters["show_s"] = show / 1000;
    state.counters["own_ms_per_draw"] = own / batch;
    state.counters["show_ms_per_draw"] = show / batch;
    state.counters["own_percent_of_show"] = show > 0 ? 100 * own / show : 0;
    state.counters["resident_mb_after_10"] = afterTen;
    state.counters["resident_mb_after_all"] = after;
    state.counters["resident_growth_percent"] = afterTen > 0 ? 100 * (after / afterTen - 1) : 0;
}

void BM_BatchOfNames(benchmark::State& state) {
    RunBatch<TFVantaNome>(state, FillNames, 100000);
}

void BM_BatchOfNumbers(benchmark::State& state) {
    RunBatch<TFVantaNumero>(state, FillNumbers, 1000000);
}

BENCHMARK(BM_BatchOfNames)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BatchOfNumbers)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
