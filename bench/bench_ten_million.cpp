// A raffle of ten million numbers, worked as an operator would: the range
// 1 to 10,000,000 in the editor, a draw on the screen with the real pauses,
// "Limpar Lista" and "Liberar Todos", with the database tool's check of the
// file after each step. Not a comparison: each step's time and the memory
// are reported as counters. TIRAVO_BENCH_ROWS sets the size (10,000,000 by
// default); the run takes minutes and several gigabytes of disk. Last, the
// engine's own rewrite of every key is timed on the same file, the floor
// under the work of a draw.
#include "BenchRows.h"
#include "draws/IncluirNumero.h"
#include "draws/VantaNumero.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/ui/RepaintPause.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/TempDatabase.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSpinBox>

#include "BenchServices.h"
#include "PauseOverhead.h"
#include "QtBenchmarkMain.h"
#include "RawFile.h"
#include "ResidentMemory.h"

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace tiravo {
namespace {

int RowsAsked() {
    return BenchRows(10'000'000);
}

// The highest resident memory of the whole process so far, in megabytes.
double PeakResidentMegabytes() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() * 1024 / 1e6;
    return 0;
}

double SecondsOf(const std::function<void()>& step) {
    QElapsedTimer timer;
    timer.start();
    step();
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

// `tiravo-db check` on the file while the program has it open, as the
// operator would run it beside the screen.
bool FileChecks(const QString& path, double& seconds) {
    QProcess tool;
    seconds = SecondsOf([&] {
        tool.start(QCoreApplication::applicationDirPath() + "/../tools/tiravo-db",
                   {"check", "--file", path});
        tool.waitForFinished(-1);
    });
    return tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
}

void BM_TenMillionNumbers(benchmark::State& state) {
    const int rows = RowsAsked();
    test::TempDatabase db;
    RealPauseServices real;
    FirstFramePause& pause = real.pause;
    FakeDialogs& dialogs = real.dialogs;
    AppContext context(db.connection(), real.services());
    bool checked = true;
    double checkSeconds = 0;
    double longestCheck = 0;
    const auto check = [&] {
        checked = FileChecks(db.path(), checkSeconds) && checked;
        longestCheck = std::max(longestCheck, checkSeconds);
    };
    for (auto _ : state) {
        {
            TFIncluirNumero editor(nullptr, context);
            editor.RxSpinEdit1->setValue(1);
            editor.RxSpinEdit2->setValue(rows);
            state.counters["range_s"] = SecondsOf([&] { editor.Button1Click(); });
            if (editor.TbNumero.recordCount() != rows)
                state.SkipWithError("not every number was added");
            state.counters["resident_after_range_mb"] = ResidentMegabytes();
            state.counters["peak_during_range_mb"] = PeakResidentMegabytes();
        }
        check();
        std::unique_ptr<TFVantaNumero> opened;
        state.counters["open_screen_s"] =
            SecondsOf([&] { opened = std::make_unique<TFVantaNumero>(nullptr, context); });
        TFVantaNumero& screen = *opened;
        screen.show();
        QApplication::processEvents();
        pause.start();
        const double drawSeconds = SecondsOf([&] { screen.Button5Click(); });
        // The pauses of a draw over more than ten numbers add up to 1,940 ms.
        state.counters["draw_wait_past_pauses_ms"] = drawSeconds * 1000 - 1940.0;
        state.counters["first_frame_ms"] = pause.firstFrameMilliseconds();
        state.counters["resident_after_draw_mb"] = ResidentMegabytes();
        state.counters["peak_until_draw_mb"] = PeakResidentMegabytes();
        check();
        dialogs.answerYes();
        state.counters["clear_s"] = SecondsOf([&] { screen.Button2Click(); });
        state.counters["peak_until_clear_mb"] = PeakResidentMegabytes();
        check();
        dialogs.answerYes();
        state.counters["release_s"] = SecondsOf([&] { screen.Button3Click(); });
        check();
        if (!dialogs.texts(DialogKind::Error).isEmpty())
            state.SkipWithError(qPrintable(dialogs.texts(DialogKind::Error).join("; ")));
        // The floor under a draw's work: the engine's own fastest way to give
        // every row a new key of four random letters, one statement in one
        // transaction, and the copying of its log into the file.
        RawFile raw(db.path());
        state.counters["raw_rewrite_s"] = SecondsOf([&] {
            raw.exec("BEGIN IMMEDIATE; UPDATE TbNumero SET Ordem = char(97 + abs(random() % 26), "
                     "97 + abs(random() % 26), 97 + abs(random() % 26), 97 + abs(random() % "
                     "26)); COMMIT; PRAGMA wal_checkpoint(TRUNCATE)");
        });
    }
    state.counters["check_passed"] = checked ? 1 : 0;
    state.counters["longest_check_s"] = longestCheck;
    state.counters["peak_resident_mb"] = PeakResidentMegabytes();
    state.counters["file_mb"] = static_cast<double>(QFile(db.path()).size()) / 1e6;
}

BENCHMARK(BM_TenMillionNumbers)->Iterations(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
