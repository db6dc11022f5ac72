#pragma once

#include "platform/Sound.h"

#include <QStringList>

namespace tiravo {

// Hears every cue and writes it down, in order: "drum roll", "drum roll
// stopped", "fanfare", "fanfare stopped"; "ready" for prepare(). When `also`
// is set, each line goes there too, so that a test can read the cues among a
// stage's own calls.
class FakeSound final : public Sound {
public:
    void prepare() override { note(QStringLiteral("ready")); }
    void play(Cue cue) override { note(name(cue)); }
    void stop(Cue cue) override { note(name(cue) + QStringLiteral(" stopped")); }

    QStringList heard;
    QStringList* also = nullptr;

private:
    static QString name(Cue cue) {
        return cue == Cue::DrumRoll ? QStringLiteral("drum roll") : QStringLiteral("fanfare");
    }
    void note(const QString& line) {
        heard << line;
        if (also)
            *also << line;
    }
};

} // namespace tiravo
