#pragma once

#include "draws/model/ForwardingStage.h"

namespace tiravo {

class Sound;

// A draw the room hears: the drum roll starts with the first frame and stops
// as the teaser (or the hidden pick's title) comes up; the fanfare starts
// with the paint of the entry held for the reveal. The sounds follow the
// frames themselves, whatever their timing.
class SoundStage final : public ForwardingStage {
public:
    SoundStage(DrawStage& stage, Sound& sound);
    // A draw that ends early, by an error, leaves no drum rolling.
    ~SoundStage() override;
    SoundStage(const SoundStage&) = delete;
    SoundStage& operator=(const SoundStage&) = delete;

    void showTeaser(int milliseconds) override;
    void showEntry(int place, int milliseconds) override;
    void showPickTitle(int milliseconds) override;
    void holdEntry(int place) override;

private:
    void stopDrum();

    Sound& sound_;
    bool framesBegun_ = false;
    bool drumming_ = false;
    bool held_ = false;
};

} // namespace tiravo
