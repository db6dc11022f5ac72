#pragma once

#include <memory>

class QThread;

namespace tiravo {

// The two sounds of a draw.
enum class Cue {
    DrumRoll, // repeats until stopped
    Fanfare,  // plays once
};

// What the audience hears. Every call returns at once: the sound plays on
// while the draw goes on holding its frames.
class Sound {
public:
    virtual ~Sound() = default;

    // Gets the sounds ready, so that the first cue of a draw is heard with
    // its frame rather than after it.
    virtual void prepare() {}
    virtual void play(Cue cue) = 0;
    virtual void stop(Cue cue) = 0;
};

// Hears nothing: what a run has until it is given a sound of its own.
Sound& NoSound();

// The sounds built into the program, played through the system's sound
// device on a thread of their own: a draw holds the window's thread through
// its frames, and the device must still be fed meanwhile. Without a sound
// device, or without a way to play one, it stays silent and says nothing.
class SystemSound final : public Sound {
public:
    SystemSound();
    ~SystemSound() override;
    SystemSound(const SystemSound&) = delete;
    SystemSound& operator=(const SystemSound&) = delete;

    void prepare() override;
    void play(Cue cue) override;
    void stop(Cue cue) override;

private:
    class Player;
    void start();

    std::unique_ptr<QThread> thread_;
    Player* player_ = nullptr; // lives in thread_, deleted when it ends
};

} // namespace tiravo
