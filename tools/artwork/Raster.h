#pragma once

#include <QImage>
#include <vector>

namespace tiravo::artwork {

struct Rgb {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
};

Rgb operator+(Rgb a, Rgb b);
Rgb operator*(Rgb a, float k);
Rgb mix(Rgb a, Rgb b, float t);
Rgb rgb(int r, int g, int b); // from 0..255 components

// Photographic scenes are computed in floating point so that additive light
// (sun, glow) can exceed white before it is rolled off, instead of clipping.
class FloatImage {
public:
    FloatImage(int width, int height) : width_(width), height_(height), pixels_(width * height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Rgb& at(int x, int y) { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }
    const Rgb& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y * width_ + x)]; }

    // Gaussian-like blur made of three box passes; radius in pixels.
    void blur(int radius);
    QImage toImage(float grain, unsigned seed) const;

private:
    int width_;
    int height_;
    std::vector<Rgb> pixels_;
};

// Blurs an ARGB picture in premultiplied form, so soft shadows and glows keep
// their colour at the fading edge.
QImage blurred(const QImage& image, int radius);

} // namespace tiravo::artwork
