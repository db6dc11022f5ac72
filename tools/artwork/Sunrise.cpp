#include "Artwork.h"
#include "Noise.h"
#include "Raster.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace tiravo::artwork {

namespace {

// A dawn seen from above the clouds: the sky runs from night blue at the top
// to gold at the horizon, the sun has just cleared a far, hazy cloud sea, and
// nearer banks of cumulus rise in layers towards the viewer, lit from behind.
struct Scene {
    float width;
    float height;
    float horizon; // far edge of the cloud sea
    float sunX;
    float sunY;
    float sunRadius;
};

struct Stop {
    float at;
    Rgb colour;
};

Rgb gradient(const std::vector<Stop>& stops, float t) {
    if (t <= stops.front().at)
        return stops.front().colour;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].at) {
            const float k = (t - stops[i - 1].at) / (stops[i].at - stops[i - 1].at);
            return mix(stops[i - 1].colour, stops[i].colour, smoothstep(0.0f, 1.0f, k));
        }
    }
    return stops.back().colour;
}

const std::vector<Stop>& skyStops() {
    static const std::vector<Stop> stops = {
        {0.00f, rgb(8, 18, 52)},     {0.28f, rgb(24, 48, 108)},   {0.52f, rgb(72, 86, 150)},
        {0.70f, rgb(168, 112, 146)}, {0.82f, rgb(232, 134, 104)}, {0.92f, rgb(250, 160, 84)},
        {1.00f, rgb(255, 184, 108)},
    };
    return stops;
}

float distance(float x0, float y0, float x1, float y1) {
    return std::hypot(x1 - x0, y1 - y0);
}

// Light scattered around the sun, strongest along the horizon, where the
// air it passes through is thickest.
Rgb sunGlow(const Scene& s, float x, float y) {
    const float d = distance(x, y, s.sunX, s.sunY);
    const float flat = std::hypot((x - s.sunX) * 0.45f, (y - s.sunY) * 1.6f);
    const float core = std::exp(-d / 45.0f) * 0.55f;
    const float halo = std::exp(-d / 190.0f) * 0.38f;
    const float band = std::exp(-flat / 420.0f) * 0.28f;
    return rgb(255, 206, 140) * (core + halo) + rgb(255, 170, 100) * band;
}

// The thick air along the horizon softens the far edge of the cloud sea.
Rgb horizonGlow(const Scene& s, float x, float y) {
    const float nearSun = std::exp(-std::fabs(x - s.sunX) / 500.0f);
    return rgb(255, 196, 132) *
           (std::exp(-std::fabs(y - s.horizon) / 16.0f) * (0.18f + 0.3f * nearSun));
}

Rgb sky(const Scene& s, const Noise& noise, float x, float y) {
    const float t = std::clamp(y / s.horizon, 0.0f, 1.0f);
    Rgb c = gradient(skyStops(), t);
    // The sky is lighter on the sun's side of the picture.
    const float side = std::exp(-std::fabs(x - s.sunX) / 900.0f);
    c = mix(c, c * 1.25f, side * t);
    c = c + sunGlow(s, x, y);
    c = c + horizonGlow(s, x, y);

    // High, thin streaks of cloud catch the light first: pink and gold near
    // the horizon, lavender grey higher up.
    const float band = smoothstep(0.12f, 0.35f, t) * (1.0f - smoothstep(0.72f, 0.9f, t));
    const float streak = noise.fbm(x / 700.0f, y / 38.0f, 6);
    const float wisps = noise.fbm(x / 160.0f + 5.0f, y / 22.0f, 4);
    const float density = smoothstep(0.50f, 0.78f, streak * 0.8f + wisps * 0.3f) * band;
    if (density > 0.0f) {
        const Rgb lit = mix(rgb(150, 130, 170), rgb(255, 176, 140), smoothstep(0.35f, 0.85f, t));
        const float nearSun = std::exp(-distance(x, y, s.sunX, s.sunY) / 600.0f);
        c = mix(c, lit + rgb(255, 190, 120) * (nearSun * 0.5f), density * 0.75f);
    }
    return c;
}

// Colour of the air in front of distant clouds: the horizon's gold, warmer
// below the sun.
Rgb haze(const Scene& s, float x, float y) {
    const Rgb base = gradient(skyStops(), 0.97f);
    const float nearSun = std::exp(-std::fabs(x - s.sunX) / 380.0f) *
                          std::exp(-std::max(0.0f, y - s.horizon) / 260.0f);
    return mix(base, rgb(255, 236, 190), nearSun * 0.8f) * 0.97f;
}

// The far cloud sea: a plane of billowing cloud seen in perspective, so that
// its puffs shrink towards the horizon and fade into the haze.
Rgb cloudSea(const Scene& s, const Noise& noise, float x, float y) {
    const float dy = y - s.horizon + 1.5f;
    constexpr float focal = 1300.0f;
    const float worldZ = focal / dy;
    const float worldX = (x - s.width * 0.5f) / dy;
    const auto height = [&](float wx, float wz) {
        return noise.billow(wx * 1.6f, wz * 0.9f, 5) * 0.7f +
               noise.fbm(wx * 0.4f, wz * 0.25f, 3) * 0.5f;
    };
    const float h = height(worldX, worldZ);
    // The sun is ahead of us: surfaces that fall away towards it face it.
    constexpr float step = 0.04f;
    const float towardsSun = height(worldX + step * 0.18f, worldZ + step);
    const float lit = std::clamp(0.45f + (h - towardsSun) * 9.0f, 0.0f, 1.0f);

    const Rgb shadow = rgb(160, 118, 142);
    const Rgb light = rgb(255, 206, 150);
    Rgb c = mix(shadow, light, lit);
    c = c * (0.55f + 0.65f * smoothstep(0.25f, 0.85f, h));

    const float glint = std::exp(-std::fabs(x - s.sunX) / 260.0f) * std::exp(-dy / 120.0f);
    c = c + rgb(255, 200, 130) * (glint * lit * 0.6f);

    const float fog = 1.0f - std::exp(-worldZ / 55.0f);
    c = mix(c, haze(s, x, y), std::clamp(fog * 0.92f + 0.04f, 0.0f, 1.0f));
    return c + horizonGlow(s, x, y);
}

// One puff of cloud: a soft ball whose edge frays with the noise. Banks of
// cumulus are built of many, painted from the top down so that each lower,
// nearer puff hides the underside of the ones above and only their sunlit
// crowns show.
struct Puff {
    float x;
    float y;
    float r;
    float light; // 1 for the crest of a bank, less for the shaded puffs below
};

struct Bank {
    float hazeAmount;
    float exposure; // the nearest banks are darker against the bright distance
    std::vector<Puff> puffs;
};

Bank makeBank(Rng& rng, float width, float height, float base, float minRadius, float maxRadius,
              float hazeAmount, float exposure) {
    Bank bank{hazeAmount, exposure, {}};
    float x = -maxRadius;
    while (x < width + maxRadius) {
        const float r = rng.range(minRadius, maxRadius);
        // Now and then a tower rises well above the rest of the bank.
        const bool tower = rng.uniform() < 0.22f;
        const float lift = tower ? rng.range(0.5f, 0.9f) : rng.range(-0.2f, 0.3f);
        float top = base - lift * r;
        bank.puffs.push_back({x, top, r, 1.0f});
        float small = r;
        for (int i = 0; i < (tower ? 2 : 1); ++i) {
            small *= rng.range(0.55f, 0.75f);
            top -= small * rng.range(0.6f, 0.9f);
            bank.puffs.push_back({x + rng.range(-0.5f, 0.5f) * r, top, small, 1.0f});
        }
        x += r * rng.range(0.7f, 1.15f);
    }
    // The body of the bank, in rows of ever larger and darker puffs, down
    // past the bottom of the picture.
    const float average = (minRadius + maxRadius) * 0.5f;
    for (int row = 1; base + static_cast<float>(row - 1) * average * 0.7f < height + average;
         ++row) {
        const float y = base + static_cast<float>(row) * average * 0.7f;
        const float light = std::max(0.25f, 1.0f - 0.3f * static_cast<float>(row));
        for (float px = -maxRadius * rng.uniform(); px < width + maxRadius;) {
            const float r =
                rng.range(minRadius, maxRadius) * (1.0f + 0.12f * static_cast<float>(row));
            bank.puffs.push_back({px, y + rng.range(-0.25f, 0.25f) * average, r, light});
            px += r * rng.range(0.8f, 1.3f);
        }
    }
    std::stable_sort(bank.puffs.begin(), bank.puffs.end(),
                     [](const Puff& a, const Puff& b) { return a.y < b.y; });
    return bank;
}

void paintPuff(FloatImage& image, const Scene& s, const Noise& noise, const Bank& bank,
               const Puff& puff) {
    const int x0 = std::max(0, static_cast<int>(puff.x - puff.r * 1.2f));
    const int x1 = std::min(image.width() - 1, static_cast<int>(puff.x + puff.r * 1.2f));
    const int y0 = std::max(0, static_cast<int>(puff.y - puff.r * 1.2f));
    const int y1 = std::min(image.height() - 1, static_cast<int>(puff.y + puff.r * 1.2f));
    // Direction of the sun from the puff, in the picture plane.
    float sx = s.sunX - puff.x;
    float sy = s.sunY - puff.y;
    const float sl = std::hypot(sx, sy) + 1.0f;
    sx /= sl;
    sy /= sl;
    const float nearSun = 0.3f + 1.0f * std::exp(-std::fabs(puff.x - s.sunX) / 650.0f);
    const float glow = puff.light * puff.light;
    const float r = puff.r;

    for (int py = y0; py <= y1; ++py) {
        for (int px = x0; px <= x1; ++px) {
            const float x = static_cast<float>(px) + 0.5f;
            const float y = static_cast<float>(py) + 0.5f;
            const float u = (x - puff.x) / r;
            const float v = (y - puff.y) / r;
            const float q2 = u * u + v * v;
            if (q2 > 1.44f)
                continue;
            const float fray = noise.fbm(x / (r * 0.22f), y / (r * 0.2f), 4) - 0.5f;
            const float q = std::sqrt(q2) + fray * 0.45f;
            const float alpha = smoothstep(1.0f, 0.78f, q);
            if (alpha <= 0.0f)
                continue;
            const float nz = std::sqrt(std::max(0.0f, 1.0f - std::min(1.0f, q2)));
            const float along = (u * sx + v * sy) / (std::sqrt(q2) + 1.0e-4f);
            // Backlight: the rim towards the sun glows where the cloud thins;
            // the face turned to us is lit only by the sky above it.
            const float rim = std::pow(1.0f - nz, 1.4f) * std::max(0.0f, along);
            const float direct = std::max(0.0f, (u * sx + v * sy) * 0.8f - nz * 0.45f + 0.35f);
            const float skyLight = std::clamp(0.5f - 0.6f * v, 0.0f, 1.0f);
            const float texture = 0.88f + 0.24f * noise.fbm(x / (r * 0.1f), y / (r * 0.09f), 3);

            Rgb c = rgb(36, 36, 84);
            c = c + rgb(118, 98, 152) * (skyLight * puff.light);
            c = c + rgb(255, 150, 110) * (0.08f * nearSun);
            c = c * bank.exposure;
            c = c + rgb(255, 178, 112) * ((direct * 0.45f + rim * 1.35f) * nearSun * glow);
            c = c * texture;
            c = mix(c, haze(s, x, y), bank.hazeAmount);
            Rgb& target = image.at(px, py);
            target = mix(target, c, alpha);
        }
    }
}

} // namespace

QImage paintSunrise(QSize size) {
    const float w = static_cast<float>(size.width());
    const float h = static_cast<float>(size.height());
    const Scene scene{w, h, h * 0.53f, w * 0.615f, h * 0.516f, h * 0.031f};
    const Noise noise(20181123);
    Rng rng(1123);

    FloatImage image(size.width(), size.height());
    for (int py = 0; py < size.height(); ++py) {
        for (int px = 0; px < size.width(); ++px) {
            const float x = static_cast<float>(px) + 0.5f;
            const float y = static_cast<float>(py) + 0.5f;
            Rgb c = sky(scene, noise, x, y);
            const float d = distance(x, y, scene.sunX, scene.sunY);
            if (d < scene.sunRadius + 1.5f) {
                const float inside = smoothstep(scene.sunRadius + 1.5f, scene.sunRadius - 1.5f, d);
                c = mix(c, rgb(255, 250, 236) * 1.6f, inside);
            }
            if (y > scene.horizon - 2.0f) {
                const float blend = smoothstep(scene.horizon - 2.0f, scene.horizon + 6.0f, y);
                c = mix(c, cloudSea(scene, noise, x, y), blend);
            }
            image.at(px, py) = c;
        }
    }

    const std::array<Bank, 5> banks = {
        makeBank(rng, w, h, h * 0.585f, h * 0.012f, h * 0.030f, 0.62f, 1.0f),
        makeBank(rng, w, h, h * 0.65f, h * 0.022f, h * 0.050f, 0.45f, 1.0f),
        makeBank(rng, w, h, h * 0.72f, h * 0.035f, h * 0.080f, 0.30f, 0.95f),
        makeBank(rng, w, h, h * 0.83f, h * 0.058f, h * 0.125f, 0.14f, 0.88f),
        makeBank(rng, w, h, h * 0.97f, h * 0.085f, h * 0.19f, 0.04f, 0.75f),
    };
    for (const Bank& bank : banks)
        for (const Puff& puff : bank.puffs)
            paintPuff(image, scene, noise, bank, puff);
    image.blur(1);

    // Roll highlights off instead of clipping them, then darken the corners a
    // little, as a lens does.
    for (int py = 0; py < size.height(); ++py) {
        for (int px = 0; px < size.width(); ++px) {
            Rgb& c = image.at(px, py);
            const auto roll = [](float v) {
                return v < 0.8f ? v : 0.8f + 0.2f * (1.0f - std::exp(-(v - 0.8f) * 5.0f));
            };
            const float u = (static_cast<float>(px) / w - 0.5f) * 2.0f;
            const float v = (static_cast<float>(py) / h - 0.5f) * 2.0f;
            const float vignette = 1.0f - 0.16f * (u * u + v * v) * 0.5f;
            c = Rgb{roll(c.r), roll(c.g), roll(c.b)} * vignette;
        }
    }
    return image.toImage(0.018f, 7);
}

} // namespace tiravo::artwork
