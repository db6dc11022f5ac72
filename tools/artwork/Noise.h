#pragma once

#include <cstdint>

namespace tiravo::artwork {

// Lattice noise built on a hash instead of a random stream, so a picture is
// the same whatever order its pixels are computed in, on every machine.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : seed_(seed) {}

    // Smooth value noise in [0, 1].
    float value(float x, float y) const;
    // Sum of octaves, normalised back to [0, 1].
    float fbm(float x, float y, int octaves, float gain = 0.5f) const;
    // Octaves of folded noise: rounded billows, as on the top of a cloud.
    float billow(float x, float y, int octaves) const;
    // One hashed value in [0, 1) per lattice point, for scattering things.
    float hash(int x, int y) const;

private:
    std::uint32_t seed_;
};

// A small generator, defined to the bit, for placing shapes: std::mt19937 would do,
// but the standard distributions are not the same across libraries.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next();
    float uniform(); // [0, 1)
    float range(float low, float high) { return low + (high - low) * uniform(); }

private:
    std::uint64_t state_;
};

float smoothstep(float edge0, float edge1, float x);
float mix(float a, float b, float t);

} // namespace tiravo::artwork
