// The draw's two sounds, synthesised: a snare drum roll that repeats without
// a seam, and a short brass fanfare. Mono, 16 bits, 22,050 samples a second:
// enough for a drum and a horn through a hall's speakers, a few dozen
// kilobytes each.
#include "Artwork.h"
#include "Noise.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace tiravo::artwork {

namespace {

constexpr int kRate = 22050;
constexpr double kTwoPi = 2 * std::numbers::pi;

QByteArray Wav(const std::vector<float>& samples) {
    const auto dataBytes = quint32(samples.size() * 2);
    QByteArray wav;
    const auto u32 = [&wav](quint32 value) {
        const quint32 little = qToLittleEndian(value);
        wav.append(reinterpret_cast<const char*>(&little), 4);
    };
    const auto u16 = [&wav](quint16 value) {
        const quint16 little = qToLittleEndian(value);
        wav.append(reinterpret_cast<const char*>(&little), 2);
    };
    wav.append("RIFF");
    u32(36 + dataBytes);
    wav.append("WAVEfmt ");
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    wav.append("data");
    u32(dataBytes);
    for (const float sample : samples)
        u16(quint16(qint16(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767))));
    return wav;
}

} // namespace

QByteArray synthDrumRoll() {
    // 28 strokes in exactly one second, so that the loop's seam falls
    // between two strokes; the sticks alternate, one a little louder.
    constexpr int kStrokes = 28;
    constexpr int kStroke = kRate / kStrokes;
    std::vector<float> samples(std::size_t(kStroke) * kStrokes, 0.0f);
    Rng rng(0x5eed0d7u);
    for (int stroke = 0; stroke < kStrokes; ++stroke) {
        const float accent = (stroke % 2 == 0 ? 0.55f : 0.42f) * rng.range(0.9f, 1.0f);
        for (int i = 0; i < kStroke; ++i) {
            const double t = double(i) / kRate;
            // The snares: bright noise dying in about 20 ms; the head: a
            // low tone dying faster.
            const double snares = (rng.uniform() * 2 - 1) * std::exp(-t / 0.020);
            const double head = std::sin(kTwoPi * 190 * t) * std::exp(-t / 0.010);
            samples[std::size_t(stroke * kStroke + i)] +=
                float(accent * (0.8 * snares + 0.5 * head));
        }
    }
    return Wav(samples);
}

QByteArray synthFanfare() {
    // A rising call on a major chord, the last note held: each note a horn's
    // few harmonics under a quick attack and a gentle fall.
    struct Note {
        double hertz;
        double start;
        double length;
    };
    const Note notes[] = {{523.25, 0.00, 0.16},  {659.25, 0.16, 0.16}, {783.99, 0.32, 0.16},
                          {1046.50, 0.48, 0.90}, {783.99, 0.48, 0.90}, {659.25, 0.48, 0.90}};
    constexpr double kLength = 1.45;
    std::vector<float> samples(std::size_t(kLength * kRate), 0.0f);
    for (const Note& note : notes) {
        const int first = int(note.start * kRate);
        const int count = int(note.length * kRate);
        for (int i = 0; i < count && first + i < int(samples.size()); ++i) {
            const double t = double(i) / kRate;
            const double attack = std::min(1.0, t / 0.015);
            const double release = std::min(1.0, (note.length - t) / 0.08);
            const double envelope = attack * std::max(0.0, release) * std::exp(-t * 1.2);
            // A touch of vibrato on the held chord.
            const double wobble = t > 0.2 ? 0.004 * std::sin(kTwoPi * 5.5 * t) : 0.0;
            double tone = 0;
            for (int harmonic = 1; harmonic <= 6; ++harmonic)
                tone += std::sin(kTwoPi * note.hertz * harmonic * t * (1 + wobble)) /
                        (harmonic * harmonic * 0.7 + 0.3);
            samples[std::size_t(first + i)] += float(0.18 * envelope * tone);
        }
    }
    return Wav(samples);
}

} // namespace tiravo::artwork
