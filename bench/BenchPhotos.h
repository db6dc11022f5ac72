#pragma once

// Camera-like photos for the benchmarks of the photo screen.

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QSize>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>

namespace tiravo {

// A detailed picture, as a camera's: gradients, fine stripes and strong
// sensor-like noise, so that the compressed data is as dense as a photo's.
inline QImage DetailedPicture(QSize size, std::uint32_t seed) {
    QImage image(size, QImage::Format_RGB32);
    const int w = size.width(), h = size.height();
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < w; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = int(seed >> 27) - 16;
            const int stripes = ((x / 3 + y / 5) % 7) * 6;
            line[x] = qRgb(qBound(0, x * 200 / w + stripes + noise, 255),
                           qBound(0, y * 200 / h + noise, 255),
                           qBound(0, (x + y) * 200 / (w + h) + stripes + noise / 2, 255));
        }
    }
    return image;
}

// A folder of photos of one size: a few distinct pictures, copied to as many
// files as the pool needs (each frame reads its own file).
class PhotoFolder {
public:
    PhotoFolder(QSize size, int files) {
        constexpr int kDistinct = 3;
        for (int i = 0; i < files; ++i) {
            const QString path = dir_.filePath(QStringLiteral("photo%1.jpg").arg(i));
            if (i < kDistinct) {
                QImageWriter writer(path, "jpeg");
                writer.setQuality(90);
                writer.write(DetailedPicture(size, std::uint32_t(7 + i)));
            } else {
                QFile::copy(paths_[i % kDistinct], path);
            }
            paths_ << path;
        }
        bytes_ = QFileInfo(paths_.front()).size();
    }

    const QStringList& paths() const { return paths_; }
    qint64 bytes() const { return bytes_; }

private:
    QTemporaryDir dir_;
    QStringList paths_;
    qint64 bytes_ = 0;
};

} // namespace tiravo
