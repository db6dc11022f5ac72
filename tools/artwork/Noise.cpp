#include "Noise.h"

#include <cmath>

namespace tiravo::artwork {

namespace {

std::uint32_t mixBits(std::uint32_t h) {
    h ^= h >> 16;
    h *= 0x7feb352dU;
    h ^= h >> 15;
    h *= 0x846ca68bU;
    h ^= h >> 16;
    return h;
}

float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

} // namespace

float smoothstep(float edge0, float edge1, float x) {
    float t = (x - edge0) / (edge1 - edge0);
    t = t < 0.0f ? 0.0f : (t > 1.0f ? 1.0f : t);
    return t * t * (3.0f - 2.0f * t);
}

float mix(float a, float b, float t) {
    return a + (b - a) * t;
}

float Noise::hash(int x, int y) const {
    const std::uint32_t h = mixBits(static_cast<std::uint32_t>(x) * 0x9e3779b1U ^
                                    mixBits(static_cast<std::uint32_t>(y) + seed_));
    return static_cast<float>(h >> 8) * (1.0f / 16777216.0f);
}

float Noise::value(float x, float y) const {
    const float fx = std::floor(x);
    const float fy = std::floor(y);
    const int ix = static_cast<int>(fx);
    const int iy = static_cast<int>(fy);
    const float u = fade(x - fx);
    const float v = fade(y - fy);
    const float top = mix(hash(ix, iy), hash(ix + 1, iy), u);
    const float bottom = mix(hash(ix, iy + 1), hash(ix + 1, iy + 1), u);
    return mix(top, bottom, v);
}

float Noise::fbm(float x, float y, int octaves, float gain) const {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        // The offset keeps the octaves' lattices from lining up at the origin.
        sum += amplitude *
               value(x + 17.31f * static_cast<float>(i), y - 9.73f * static_cast<float>(i));
        total += amplitude;
        amplitude *= gain;
        x *= 2.03f;
        y *= 2.03f;
    }
    return sum / total;
}

float Noise::billow(float x, float y, int octaves) const {
    float sum = 0.0f;
    float amplitude = 1.0f;
    float total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        const float n = value(x + 31.7f * static_cast<float>(i), y + 47.1f * static_cast<float>(i));
        sum += amplitude * std::fabs(2.0f * n - 1.0f);
        total += amplitude;
        amplitude *= 0.5f;
        x *= 2.07f;
        y *= 2.07f;
    }
    return sum / total;
}

std::uint64_t Rng::next() {
    // splitmix64
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

float Rng::uniform() {
    return static_cast<float>(next() >> 40) * (1.0f / 16777216.0f);
}

} // namespace tiravo::artwork
