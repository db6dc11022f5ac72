// The audience's screen on a 3840 x 2160 projector beside a 1920 x 1080
// laptop: with the real pause, how long each frame of a number draw and of a
// photo draw (24-megapixel photos) takes to reach both screens, and how far
// apart the frames go up (70 ms each is the aim).
#include "draws/VantaFoto.h"
#include "draws/VantaNumero.h"
#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/ui/RepaintPause.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/OffscreenScreens.h"
#include "support/TempDatabase.h"
#include "widgets/AudienceScreen.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QThread>

#include "BenchPhotos.h"
#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace tiravo {
namespace {

const QRect kLaptop(0, 0, 1920, 1080);
const QRect kProjector(1920, 0, 3840, 2160);
[[maybe_unused]] const bool kScreens = test::UseOffscreenScreens({kLaptop, kProjector});

// The real pause's time, noting for each frame when it began and when its
// repaint (both screens) was done: the pause reads the time first as a frame
// begins, and next once the repaint has returned.
class NotingTime final : public RepaintPause::Time {
public:
    NotingTime() { clock_.start(); }
    qint64 nanoseconds() override {
        const qint64 now = clock_.nsecsElapsed();
        if (step_ == Step::FrameBegins) {
            starts.push_back(double(now) / 1e6);
            step_ = Step::Painting;
        } else if (step_ == Step::Painting) {
            painted.push_back(double(now) / 1e6 - starts.back());
            step_ = Step::Shown;
        }
        return now;
    }
    void sleep(qint64 nanoseconds) override {
        QThread::usleep(static_cast<unsigned long>(nanoseconds / 1000));
    }
    void frameBegins() { step_ = Step::FrameBegins; }
    void clear() {
        starts.clear();
        painted.clear();
    }
    std::vector<double> starts;  // ms
    std::vector<double> painted; // ms from the start to both screens painted

private:
    enum class Step { Shown, FrameBegins, Painting };
    QElapsedTimer clock_;
    Step step_ = Step::Shown;
};

// The real pause over that time.
class NotingPause final : public Pause {
public:
    NotingPause() : real_(time) {}
    void showFor(QWidget* control, int milliseconds) override {
        time.frameBegins();
        real_.showFor(control, milliseconds);
    }
    void setWork(WorkInPauses* work) override { real_.setWork(work); }
    NotingTime time;

private:
    RepaintPause real_;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void PressF11(QWidget* window) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(window, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_F11, Qt::NoModifier);
    QApplication::sendEvent(window, &release);
}

void Settle(int milliseconds) {
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < milliseconds)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
}

struct FrameFigures {
    std::vector<double> intervals; // between one flick frame and the next
    std::vector<double> painted;   // each flick frame's repaint on both screens
};

// One "Fazer Sorteio" with the audience's screen up; false when the screen
// did not come up on the projector or the draw painted fewer frames.
template <class Screen>
bool TimeOneDraw(benchmark::State& state, AppContext& context, NotingTime& time,
                 std::size_t flickFrames, FrameFigures& figures) {
    Screen w(nullptr, context);
    w.move(40, 40);
    w.show();
    QApplication::setActiveWindow(&w);
    QApplication::processEvents();
    PressF11(&w);
    AudienceScreen* audience = w.audienceScreen();
    if (!audience || audience->geometry() != kProjector) {
        state.SkipWithError("the audience's screen is not up at 3840 x 2160");
        return false;
    }
    // The stage's pictures, decoded again for the wall, are in place.
    Settle(300);
    time.clear();
    state.ResumeTiming();
    w.Button5Click();
    state.PauseTiming();
    if (time.starts.size() < flickFrames + 1) {
        state.SkipWithError("the draw painted fewer frames than planned");
        return false;
    }
    for (std::size_t i = 1; i <= flickFrames; ++i)
        figures.intervals.push_back(time.starts[i] - time.starts[i - 1]);
    figures.painted.insert(figures.painted.end(), time.painted.begin(),
                           time.painted.begin() + std::ptrdiff_t(flickFrames));
    return true;
}

void Report(benchmark::State& state, const FrameFigures& figures) {
    if (figures.intervals.empty())
        return;
    state.counters["frame_median_ms"] = Median(figures.intervals);
    state.counters["frame_max_ms"] =
        *std::max_element(figures.intervals.begin(), figures.intervals.end());
    state.counters["median_vs_70"] = Median(figures.intervals) / 70.0;
    state.counters["both_screens_median_ms"] = Median(figures.painted);
    state.counters["both_screens_max_ms"] =
        *std::max_element(figures.painted.begin(), figures.painted.end());
}

void BM_AudienceNumberDraw(benchmark::State& state) {
    test::TempDatabase db;
    for (int n = 1; n <= 40; ++n)
        db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                               "VALUES (%1, 'k%2', 1, 0)")
                    .arg(400 + n * 3)
                    .arg(n, 3, 10, QLatin1Char('0')));
    SystemClock clock;
    NotingPause pause;
    NotingTime& time = pause.time;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    SystemRandom random;
    AppContext context(db.connection(), {clock, pause, dialogs, desktop, random});
    FrameFigures figures;
    for (auto _ : state) {
        state.PauseTiming();
        if (!TimeOneDraw<TFVantaNumero>(state, context, time, 12, figures))
            break;
        state.ResumeTiming();
    }
    if (!dialogs.asked().isEmpty())
        state.SkipWithError("the draw asked or reported something");
    Report(state, figures);
}

// Photos of the size given: 6000 x 4000 is a 24-megapixel camera's.
void BM_AudiencePhotoDraw(benchmark::State& state) {
    const QSize size(int(state.range(0)), int(state.range(1)));
    PhotoFolder folder(size, 13);
    test::TempDatabase db;
    SystemClock clock;
    NotingPause pause;
    NotingTime& time = pause.time;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    SystemRandom random;
    AppContext context(db.connection(), {clock, pause, dialogs, desktop, random});
    FrameFigures figures;
    for (auto _ : state) {
        state.PauseTiming();
        db.exec("DELETE FROM TbFoto");
        for (int i = 0; i < folder.paths().size(); ++i)
            db.exec(QStringLiteral("INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo) "
                                   "VALUES ('%1', 'k%2', 1, 1)")
                        .arg(folder.paths()[i])
                        .arg(i, 3, 10, QLatin1Char('0')));
        if (!TimeOneDraw<TFVantaFoto>(state, context, time, 12, figures))
            break;
        state.ResumeTiming();
    }
    if (!dialogs.asked().isEmpty())
        state.SkipWithError("the draw asked or reported something");
    Report(state, figures);
    state.counters["file_MB"] = double(folder.bytes()) / 1e6;
}

BENCHMARK(BM_AudienceNumberDraw)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AudiencePhotoDraw)
    ->Args({6000, 4000})
    ->Args({640, 480})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
