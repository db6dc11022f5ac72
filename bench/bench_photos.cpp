// The photo screen with camera photos: how long each frame of a flick stays on
// the screen with the real pause, over 24-megapixel JPEGs and over photos of
// the draw box's own size, in the window and full screen on a 3840 x 2160
// monitor; how long the screen takes to open with six such winners in its
// column, and to go full screen (F11) with them.
#include "draws/VantaFoto.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/Pictures.h"
#include "platform/Random.h"
#include "platform/ui/RepaintPause.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/OffscreenScreens.h"
#include "support/TempDatabase.h"
#include "widgets/FullScreenPresenter.h"
#include "widgets/PictureBox.h"
#include "widgets/ScaledMirror.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QPaintEvent>
#include <QTemporaryDir>

#include "BenchPhotos.h"
#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <vector>

namespace tiravo {
namespace {

// The offscreen platform's one monitor is a 4K one.
const QRect kMonitor(0, 0, 3840, 2160);
[[maybe_unused]] const bool kScreens = test::UseOffscreenScreens({kMonitor});

void FillPool(test::TempDatabase& db, const QStringList& paths, int winners) {
    db.exec("DELETE FROM TbFoto");
    for (int i = 0; i < paths.size(); ++i)
        db.exec(QStringLiteral("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo, Sorte) "
                               "VALUES ('%1', 'k%2', %3, 1, %4)")
                    .arg(paths[i])
                    .arg(i, 3, 10, QLatin1Char('0'))
                    .arg(i < winners ? 0 : 1)
                    .arg(i < winners ? QString::number(i + 1) : QStringLiteral("NULL")));
}

// The real pause, noting when each frame goes up.
class TimedPause final : public Pause {
public:
    TimedPause() { clock_.start(); }
    void showFor(QWidget* control, int milliseconds) override {
        starts_.push_back(double(clock_.nsecsElapsed()) / 1e6);
        real_.showFor(control, milliseconds);
    }
    void setWork(WorkInPauses* work) override { real_.setWork(work); }
    std::vector<double>& starts() { return starts_; }

private:
    QElapsedTimer clock_;
    RepaintPause real_;
    std::vector<double> starts_;
};

// The processor time of the whole process, every thread counted: unlike the
// time on the wall, it says what the work costs whatever else the machine runs.
double ProcessCpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One "Fazer Sorteio" per iteration over a pool of 13 photos, in the window
// or (third argument 1) full screen; the counters are the intervals between
// one frame of the flick going up and the next (the last one: to the teaser).
void BM_FlickFrames(benchmark::State& state) {
    const QSize size(int(state.range(0)), int(state.range(1)));
    const bool fullScreen = state.range(2) != 0;
    PhotoFolder folder(size, 13);
    test::TempDatabase db;
    SystemClock clock;
    TimedPause pause;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    SystemRandom random;
    std::vector<double> intervals;
    double cpu = 0;
    for (auto _ : state) {
        state.PauseTiming();
        FillPool(db, folder.paths(), 0);
        AppContext context(db.connection(), {clock, pause, dialogs, desktop, random});
        TFVantaFoto w(nullptr, context);
        w.show();
        QApplication::processEvents();
        if (fullScreen) {
            w.fullScreen->enter();
            QApplication::processEvents();
            if (w.geometry() != kMonitor) {
                state.SkipWithError("the screen is not full screen at 3840 x 2160");
                break;
            }
        }
        pause.starts().clear();
        state.ResumeTiming();
        const double cpuBefore = ProcessCpuMs();
        w.Button5Click();
        cpu += ProcessCpuMs() - cpuBefore;
        state.PauseTiming();
        const std::vector<double>& starts = pause.starts();
        if (starts.size() != 14) {
            state.SkipWithError("the draw did not paint 12 frames, the teaser and the winner");
            break;
        }
        for (std::size_t i = 1; i <= 12; ++i)
            intervals.push_back(starts[i] - starts[i - 1]);
        w.hide();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    if (!dialogs.asked().isEmpty())
        state.SkipWithError("the draw asked or reported something");
    if (intervals.empty())
        return;
    state.counters["frame_median_ms"] = Median(intervals);
    state.counters["frame_min_ms"] = *std::min_element(intervals.begin(), intervals.end());
    state.counters["frame_max_ms"] = *std::max_element(intervals.begin(), intervals.end());
    state.counters["median_vs_70"] = Median(intervals) / 70.0;
    state.counters["file_MB"] = double(folder.bytes()) / 1e6;
    state.counters["draw_cpu_ms"] = cpu / double(state.iterations());
}

// Opening the screen (creation, views, the winners column, the first paint)
// with six winners in the column.
void BM_OpenWithSixWinners(benchmark::State& state) {
    const QSize size(int(state.range(0)), int(state.range(1)));
    PhotoFolder folder(size, 8);
    test::TempDatabase db;
    FillPool(db, folder.paths(), 6);
    SystemClock clock;
    RepaintPause pause;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    SystemRandom random;
    double cpu = 0;
    for (auto _ : state) {
        const double cpuBefore = ProcessCpuMs();
        AppContext context(db.connection(), {clock, pause, dialogs, desktop, random});
        TFVantaFoto w(nullptr, context);
        w.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(w.Img6->picture().constBits());
        cpu += ProcessCpuMs() - cpuBefore;
        state.PauseTiming();
        if (!w.Img6->hasPicture())
            state.SkipWithError("the column is not full");
        w.hide();
        state.ResumeTiming();
    }
    if (!dialogs.asked().isEmpty())
        state.SkipWithError("the screen reported something");
    state.counters["open_cpu_ms"] = cpu / double(state.iterations());
}

// Notes what a widget has painted; once the whole of it has been painted and
// the events that brought that are handled, the picture is on the monitor.
class WholePaint final : public QObject {
public:
    explicit WholePaint(QWidget* widget) : widget_(widget) {
        if (widget_)
            widget_->installEventFilter(this);
    }
    bool seen() const { return QRegion(widget_->rect()).subtracted(painted_).isEmpty(); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            painted_ += static_cast<QPaintEvent*>(event)->region();
        return false;
    }

private:
    QWidget* widget_;
    QRegion painted_;
};

// F11 over the photo screen with six 24-megapixel winners in its column:
// the time until the monitor shows the whole screen scaled, and until the
// column's photos, decoded again for their scaled boxes, have replaced the
// small ones.
void BM_EnterFullScreen(benchmark::State& state) {
    const QSize size(int(state.range(0)), int(state.range(1)));
    PhotoFolder folder(size, 8);
    test::TempDatabase db;
    FillPool(db, folder.paths(), 6);
    SystemClock clock;
    RepaintPause pause;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    SystemRandom random;
    std::vector<double> shown;
    std::vector<double> sharp;
    for (auto _ : state) {
        state.PauseTiming();
        AppContext context(db.connection(), {clock, pause, dialogs, desktop, random});
        TFVantaFoto w(nullptr, context);
        w.show();
        QApplication::processEvents();
        const int smallWidth = w.Img6->picture().width();
        state.ResumeTiming();
        QElapsedTimer clockOn;
        clockOn.start();
        w.fullScreen->enter();
        // Until the mirror has painted all of the monitor.
        ScaledMirror* mirror = w.findChild<ScaledMirror*>();
        WholePaint whole(mirror);
        while (!whole.seen() && clockOn.elapsed() < 5000)
            QApplication::processEvents();
        shown.push_back(double(clockOn.nsecsElapsed()) / 1e6);
        while (w.Img6->picture().width() <= smallWidth && clockOn.elapsed() < 10000)
            QApplication::processEvents(QEventLoop::AllEvents, 5);
        sharp.push_back(double(clockOn.nsecsElapsed()) / 1e6);
        state.PauseTiming();
        if (w.geometry() != kMonitor)
            state.SkipWithError("the screen is not full screen at 3840 x 2160");
        w.hide();
        state.ResumeTiming();
    }
    if (shown.empty())
        return;
    state.counters["shown_median_ms"] = Median(shown);
    state.counters["sharp_median_ms"] = Median(sharp);
}

// For scale: one photo decoded at the draw box's size, as a frame without
// the decoder ahead would have to before it shows.
void BM_DecodeOneAtBoxSize(benchmark::State& state) {
    const QSize size(int(state.range(0)), int(state.range(1)));
    PhotoFolder folder(size, 1);
    for (auto _ : state) {
        const QImage image = LoadPictureToFit(folder.paths().front(), QSize(640, 480));
        benchmark::DoNotOptimize(image.constBits());
    }
}

BENCHMARK(BM_DecodeOneAtBoxSize)
    ->Args({6000, 4000})
    ->Args({640, 480})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_FlickFrames)
    ->Args({6000, 4000, 0})
    ->Args({640, 480, 0})
    ->Args({6000, 4000, 1})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_OpenWithSixWinners)
    ->Args({6000, 4000})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_EnterFullScreen)
    ->Args({6000, 4000})
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
