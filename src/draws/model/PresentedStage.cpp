#include "draws/model/PresentedStage.h"

namespace tiravo {

PresentedStage::PresentedStage(DrawStage& stage, const PresentationSettings& settings, Sound& sound)
    : outer_(&stage) {
    if (settings.calm)
        outer_ = &calm_.emplace(*outer_);
    // Over the calm showing, so that the drum starts with the first frame
    // whether it paints or only waits.
    if (settings.sound)
        outer_ = &sound_.emplace(*outer_, sound);
}

} // namespace tiravo
