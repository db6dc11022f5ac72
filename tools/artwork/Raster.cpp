#include "Raster.h"

#include "Noise.h"

#include <algorithm>
#include <cmath>

namespace tiravo::artwork {

namespace {

// One box pass over a strided line; the running sum keeps it linear in the
// radius, which matters on a 1920-wide photograph.
void boxLine(float* data, int count, int stride, int radius, std::vector<float>& scratch) {
    scratch.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        scratch[static_cast<std::size_t>(i)] = data[i * stride];
    const auto sample = [&](int i) {
        return scratch[static_cast<std::size_t>(std::clamp(i, 0, count - 1))];
    };
    float sum = 0.0f;
    for (int i = -radius; i <= radius; ++i)
        sum += sample(i);
    const float scale = 1.0f / static_cast<float>(2 * radius + 1);
    for (int i = 0; i < count; ++i) {
        data[i * stride] = sum * scale;
        sum += sample(i + radius + 1) - sample(i - radius);
    }
}

void blurPlane(float* data, int width, int height, int stride, int radius) {
    if (radius <= 0)
        return;
    std::vector<float> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < height; ++y)
            boxLine(data + y * width * stride, width, stride, radius, scratch);
        for (int x = 0; x < width; ++x)
            boxLine(data + x * stride, height, width * stride, radius, scratch);
    }
}

int toByte(float v) {
    return std::clamp(static_cast<int>(std::lround(v * 255.0f)), 0, 255);
}

} // namespace

Rgb operator+(Rgb a, Rgb b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Rgb operator*(Rgb a, float k) {
    return {a.r * k, a.g * k, a.b * k};
}
Rgb mix(Rgb a, Rgb b, float t) {
    return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t)};
}
Rgb rgb(int r, int g, int b) {
    return {static_cast<float>(r) / 255.0f, static_cast<float>(g) / 255.0f,
            static_cast<float>(b) / 255.0f};
}

void FloatImage::blur(int radius) {
    // Rgb is three packed floats, so each channel is a plane with stride 3.
    auto* base = reinterpret_cast<float*>(pixels_.data());
    for (int c = 0; c < 3; ++c)
        blurPlane(base + c, width_, height_, 3, radius);
}

QImage FloatImage::toImage(float grain, unsigned seed) const {
    QImage image(width_, height_, QImage::Format_RGB32);
    const Noise noise(seed);
    for (int y = 0; y < height_; ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width_; ++x) {
            const Rgb& p = at(x, y);
            // Film grain doubles as dither: without it the long sky gradient
            // bands in eight bits per channel.
            const float g = (noise.hash(x, y) - 0.5f) * grain;
            line[x] = qRgb(toByte(p.r + g), toByte(p.g + g), toByte(p.b + g));
        }
    }
    return image;
}

QImage blurred(const QImage& image, int radius) {
    QImage source = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int w = source.width();
    const int h = source.height();
    std::vector<float> planes(static_cast<std::size_t>(w * h * 4));
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            float* p = &planes[static_cast<std::size_t>((y * w + x) * 4)];
            p[0] = static_cast<float>(qRed(line[x]));
            p[1] = static_cast<float>(qGreen(line[x]));
            p[2] = static_cast<float>(qBlue(line[x]));
            p[3] = static_cast<float>(qAlpha(line[x]));
        }
    }
    for (int c = 0; c < 4; ++c)
        blurPlane(planes.data() + c, w, h, 4, radius);
    QImage result(w, h, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const float* p = &planes[static_cast<std::size_t>((y * w + x) * 4)];
            const int a = std::clamp(static_cast<int>(std::lround(p[3])), 0, 255);
            const auto channel = [a](float v) {
                return std::clamp(static_cast<int>(std::lround(v)), 0, a);
            };
            line[x] = qRgba(channel(p[0]), channel(p[1]), channel(p[2]), a);
        }
    }
    return result;
}

} // namespace tiravo::artwork
