#include "common/Error.h"
#include "platform/Pictures.h"
#include "support/DamagedPictures.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

QString photoPath;

// A 24-megapixel camera-like photo: smooth gradients with sensor-like noise,
// which keeps the entropy-coded data as dense as a real photo's.
bool writePhoto(const QString& path) {
    constexpr int kWidth = 6000, kHeight = 4000;
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    std::uint32_t seed = 12345;
    for (int y = 0; y < kHeight; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 28) - 8;
            line[x] = qRgb(qBound(0, x * 255 / kWidth + noise, 255),
                           qBound(0, y * 255 / kHeight + noise, 255),
                           qBound(0, (x + y) * 255 / (kWidth + kHeight) + noise, 255));
        }
    }
    QImageWriter writer(path, "jpeg");
    writer.setQuality(90);
    return writer.write(image);
}

void loadWhole(benchmark::State& state) {
    for (auto _ : state) {
        const QImage image = tiravo::LoadPicture(photoPath);
        benchmark::DoNotOptimize(image.constBits());
    }
}

void loadToFit(benchmark::State& state) {
    const QSize box(int(state.range(0)), int(state.range(1)));
    for (auto _ : state) {
        const QImage image = tiravo::LoadPictureToFit(photoPath, box);
        benchmark::DoNotOptimize(image.constBits());
    }
}

// Every damaged file the tests load, each timed on its own: the slowest one
// is what an operator waits for at worst when a logo or background is bad.
void loadDamagedFiles(benchmark::State& state) {
    QTemporaryDir dir;
    std::vector<QString> paths;
    for (const auto& damaged : tiravo::test::damagedPictures()) {
        paths.push_back(dir.filePath(damaged.name));
        QFile file(paths.back());
        if (!file.open(QIODevice::WriteOnly) || file.write(damaged.bytes) != damaged.bytes.size())
            state.SkipWithError("cannot write the damaged files");
    }
    qint64 slowest = 0;
    QString slowestName;
    for (auto _ : state) {
        for (const QString& path : paths) {
            QElapsedTimer timer;
            timer.start();
            try {
                benchmark::DoNotOptimize(
                    tiravo::LoadPictureToFit(path, QSize(640, 480)).constBits());
            } catch (const tiravo::Error&) {
            }
            if (timer.nsecsElapsed() > slowest) {
                slowest = timer.nsecsElapsed();
                slowestName = path.mid(dir.path().size() + 1);
            }
        }
    }
    state.counters["files"] = double(paths.size());
    state.counters["slowest_ms"] = double(slowest) / 1e6;
    state.SetLabel(slowestName.toStdString());
}

BENCHMARK(loadDamagedFiles)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(loadWhole)->Unit(benchmark::kMillisecond)->UseRealTime();
// The photo draw box, and one box of the winners column.
BENCHMARK(loadToFit)
    ->Args({640, 480})
    ->Args({105, 105})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    photoPath = dir.filePath("photo.jpg");
    if (!dir.isValid() || !writePhoto(photoPath)) {
        std::fprintf(stderr, "cannot write the sample photo\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
