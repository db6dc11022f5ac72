#include "draws/model/SoundStage.h"

#include "platform/Sound.h"

namespace tiravo {

SoundStage::SoundStage(DrawStage& stage, Sound& sound) : ForwardingStage(stage), sound_(sound) {
    sound_.prepare();
}

SoundStage::~SoundStage() {
    stopDrum();
}

void SoundStage::stopDrum() {
    if (drumming_)
        sound_.stop(Cue::DrumRoll);
    drumming_ = false;
}

void SoundStage::showTeaser(int milliseconds) {
    stopDrum();
    inner().showTeaser(milliseconds);
}

void SoundStage::showPickTitle(int milliseconds) {
    stopDrum();
    inner().showPickTitle(milliseconds);
}

void SoundStage::holdEntry(int place) {
    inner().holdEntry(place);
    held_ = true;
}

void SoundStage::showEntry(int place, int milliseconds) {
    // Started just before the paint, which comes at once: the frame's pause
    // begins after it.
    if (held_) {
        held_ = false;
        stopDrum();
        sound_.play(Cue::Fanfare);
    } else if (!framesBegun_) {
        framesBegun_ = true;
        drumming_ = true;
        sound_.play(Cue::DrumRoll);
    }
    inner().showEntry(place, milliseconds);
}

} // namespace tiravo
