#pragma once

#include "draws/model/CalmStage.h"
#include "draws/model/PresentationSettings.h"
#include "draws/model/SoundStage.h"

#include <optional>

namespace tiravo {

class Sound;

// A screen's stage as the presentation settings dress it for one draw: the
// calm showing when the calm mode is on, the sounds over it when the sound
// is. Without either, the stage itself.
class PresentedStage {
public:
    PresentedStage(DrawStage& stage, const PresentationSettings& settings, Sound& sound);
    PresentedStage(const PresentedStage&) = delete;
    PresentedStage& operator=(const PresentedStage&) = delete;

    DrawStage& stage() { return *outer_; }

private:
    std::optional<CalmStage> calm_;
    std::optional<SoundStage> sound_;
    DrawStage* outer_;
};

} // namespace tiravo
