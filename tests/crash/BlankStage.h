#pragma once

#include "draws/model/DrawSkeleton.h"

namespace tiravo::crash {

// A draw's stage that shows nothing: each frame only holds `PauseKind`, which
// gives the draw's work its time as the screen's pause does.
template <class PauseKind> class BlankStage final : public DrawStage {
public:
    Pause& pause() override { return pause_; }
    void showTeaser(int milliseconds) override { pause_.showFor(nullptr, milliseconds); }
    void putPlainFrame(bool paint) override {
        if (paint)
            pause_.showFor(nullptr, 0);
    }
    void showEntry(int, int milliseconds) override { pause_.showFor(nullptr, milliseconds); }
    void showPickTitle(int milliseconds) override { pause_.showFor(nullptr, milliseconds); }
    void holdEntry(int) override {}

private:
    PauseKind pause_;
};

} // namespace tiravo::crash
