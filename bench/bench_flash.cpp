// How much the audience's screen flashes while a number draw runs, normal and
// calm, as WCAG's general flash definition counts it: a flash is a pair of
// opposing changes of relative luminance of 10 % or more where the darker
// side is below 0.80. The draw screen stands on a laptop and F11 puts the
// audience's screen on a 1920 x 1080 projector; each frame of the draw is
// grabbed from it as it is painted (the fake pause holds no time, so the time
// is the frames' own), the luminance is followed per patch of 4 x 4 pixels,
// and the counters give the most flashes in any one second at any patch and
// the share of the screen that flashes more than three times in a second.
// Without the audience's screen (audience = 0) the draw screen's stage is
// measured instead.
#include "draws/VantaNumero.h"
#include "draws/model/PresentationSettings.h"
#include "support/OffscreenScreens.h"
#include "support/TempDatabase.h"
#include "widgets/AudienceScreen.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>

#include "BenchServices.h"
#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <vector>

namespace tiravo {
namespace {

[[maybe_unused]] const bool kScreens =
    test::UseOffscreenScreens({QRect(0, 0, 1366, 768), QRect(1366, 0, 1920, 1080)});

constexpr int kPatch = 4;

// sRGB to linear light, per channel value.
double Linear(int channel) {
    static const std::array<double, 256> table = [] {
        std::array<double, 256> values{};
        for (std::size_t i = 0; i < values.size(); ++i) {
            const double c = double(i) / 255.0;
            values[i] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return values;
    }();
    return table[std::size_t(channel)];
}

// The relative luminance of each patch of the picture.
std::vector<double> Luminance(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    const int columns = image.width() / kPatch;
    const int rows = image.height() / kPatch;
    std::vector<double> patches(std::size_t(columns * rows), 0.0);
    for (int y = 0; y < rows * kPatch; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < columns * kPatch; ++x) {
            const QRgb pixel = line[x];
            patches[std::size_t((y / kPatch) * columns + x / kPatch)] +=
                0.2126 * Linear(qRed(pixel)) + 0.7152 * Linear(qGreen(pixel)) +
                0.0722 * Linear(qBlue(pixel));
        }
    }
    for (double& patch : patches)
        patch /= kPatch * kPatch;
    return patches;
}

struct Flashes {
    int mostInOneSecond = 0;
    double flashingShare = 0; // of the stage, more than three a second
    int frames = 0;
    int paints = 0;
};

// The stage at each moment it changed, by the frames' time in milliseconds.
struct Moment {
    int at = 0;
    std::vector<double> luminance;
};

Flashes Count(const std::vector<Moment>& moments, int frames) {
    Flashes result;
    result.frames = frames;
    result.paints = int(moments.size());
    if (moments.empty())
        return result;
    const std::size_t patches = moments.front().luminance.size();
    std::size_t flashing = 0;
    for (std::size_t p = 0; p < patches; ++p) {
        // The times of the changes that count, each opposing the one before.
        std::vector<int> changes;
        int direction = 0;
        for (std::size_t m = 1; m < moments.size(); ++m) {
            const double before = moments[m - 1].luminance[p];
            const double after = moments[m].luminance[p];
            if (std::abs(after - before) < 0.10 || std::min(before, after) >= 0.80)
                continue;
            const int sign = after > before ? 1 : -1;
            if (sign == direction)
                continue; // the same way again is no new half of a flash
            direction = sign;
            changes.push_back(moments[m].at);
        }
        int most = 0;
        for (std::size_t first = 0; first < changes.size(); ++first) {
            std::size_t last = first;
            while (last < changes.size() && changes[last] < changes[first] + 1000)
                ++last;
            most = std::max(most, int(last - first) / 2);
        }
        result.mostInOneSecond = std::max(result.mostInOneSecond, most);
        if (most > 3)
            ++flashing;
    }
    result.flashingShare = double(flashing) / double(patches);
    return result;
}

void BM_Flashes(benchmark::State& state) {
    const bool calm = state.range(1) != 0;
    Flashes flashes;
    bool audienceShown = false;
    for (auto _ : state) {
        state.PauseTiming();
        test::TempDatabase db;
        db.exec(QStringLiteral(
                    "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                    "INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) SELECT x, printf('%04d', x), "
                    "1, 0 FROM n")
                    .arg(state.range(0)));
        WritePresentationSettings(db.connection(), {.calm = calm});
        BenchServices fake;
        TFVantaNumero w(nullptr, fake.context(db.connection()));
        w.move(40, 40);
        w.show();
        QApplication::setActiveWindow(&w);
        QApplication::processEvents();
        QKeyEvent f11(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
        QApplication::sendEvent(&w, &f11);
        QApplication::processEvents();
        QWidget* audience = w.audienceScreen();
        audienceShown = audience != nullptr;
        std::vector<Moment> moments;
        int at = 0;
        fake.pause.during = [&](const Frame& frame) {
            if (frame.widget) {
                const QImage shown =
                    audience ? audience->grab().toImage() : w.grab(w.Image1->geometry()).toImage();
                moments.push_back({at, Luminance(shown)});
            }
            at += frame.milliseconds;
        };
        state.ResumeTiming();
        w.Button5->click();
        state.PauseTiming();
        flashes = Count(moments, int(fake.pause.frames().size()));
        state.ResumeTiming();
    }
    state.counters["max_flashes_1s"] = flashes.mostInOneSecond;
    state.counters["flashing_share"] = flashes.flashingShare;
    state.counters["frames"] = flashes.frames;
    state.counters["paints"] = flashes.paints;
    state.counters["audience"] = audienceShown ? 1 : 0;
}

// Arguments: the pool's size, then 0 for the normal showing and 1 for the calm.
BENCHMARK(BM_Flashes)->Args({60, 0})->Args({60, 1})->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
