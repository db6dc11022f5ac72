// The draw's sounds as the program carries them, and the system's player
// where there may be no sound device at all (as on the build servers).
#include "platform/Sound.h"
#include "widgets/Resources.h"

#include <QFile>
#include <QTest>
#include <QtEndian>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

struct WavFormat {
    quint16 encoding = 0;
    quint16 channels = 0;
    quint32 rate = 0;
    quint16 bits = 0;
    double seconds = 0;
};

WavFormat Read(const QByteArray& wav) {
    WavFormat format;
    if (wav.size() < 44 || !wav.startsWith("RIFF") || wav.mid(8, 8) != "WAVEfmt " ||
        wav.mid(36, 4) != "data")
        return format;
    const auto u16 = [&wav](int at) { return qFromLittleEndian<quint16>(wav.constData() + at); };
    const auto u32 = [&wav](int at) { return qFromLittleEndian<quint32>(wav.constData() + at); };
    format.encoding = u16(20);
    format.channels = u16(22);
    format.rate = u32(24);
    format.bits = u16(34);
    if (u32(40) != quint32(wav.size() - 44) || format.rate == 0)
        return {};
    format.seconds = double(u32(40)) / (format.rate * format.channels * (format.bits / 8));
    return format;
}

// Plain PCM that every backend plays, short, and small enough to carry.
TEST(Sound, TheBuiltInSoundsArePlainShortRecordings) {
    InitResources();
    for (const char* name : {":/sounds/drum-roll.wav", ":/sounds/fanfare.wav"}) {
        QFile file(QString::fromLatin1(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        const QByteArray wav = file.readAll();
        const WavFormat format = Read(wav);
        EXPECT_EQ(format.encoding, 1) << name;
        EXPECT_EQ(format.channels, 1) << name;
        EXPECT_EQ(format.bits, 16) << name;
        EXPECT_GT(format.seconds, 0.5) << name;
        EXPECT_LT(format.seconds, 2.0) << name;
        EXPECT_LT(wav.size(), 100'000) << name;
    }
}

// Without a sound device every call returns and nothing is said; with one,
// the calls only start or stop a sound.
TEST(Sound, TheSystemsPlayerNeverFailsADraw) {
    InitResources();
    {
        SystemSound sound;
        sound.stop(Cue::DrumRoll); // before anything plays
        sound.prepare();
        sound.play(Cue::DrumRoll);
        // Long enough for the sound's thread to take the calls in, device
        // or no device.
        QTest::qWait(200);
        sound.stop(Cue::DrumRoll);
        sound.play(Cue::Fanfare);
        QTest::qWait(100);
    }
    NoSound().play(Cue::Fanfare);
    NoSound().stop(Cue::Fanfare);
}

} // namespace
} // namespace tiravo
