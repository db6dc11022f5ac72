#include "draws/model/CalmStage.h"

#include "platform/Pause.h"

#include <utility>

namespace tiravo {

void CalmStage::showTeaser(int milliseconds) {
    shownFor_.reset();
    inner().showTeaser(milliseconds);
}

void CalmStage::showPickTitle(int milliseconds) {
    shownFor_.reset();
    inner().showPickTitle(milliseconds);
}

void CalmStage::holdEntry(int place) {
    inner().holdEntry(place);
    held_ = true;
}

bool CalmStage::paints(std::optional<int> shownFor, std::optional<int> framesLeft) const {
    if (!shownFor)
        return true;
    if (*shownFor < kLeastShownMilliseconds)
        return false;
    return !framesLeft || *framesLeft * frameMilliseconds_ >= kLeastShownMilliseconds;
}

void CalmStage::showEntry(int place, int milliseconds) {
    frameMilliseconds_ = milliseconds;
    const std::optional<int> framesLeft = std::exchange(framesLeft_, std::nullopt);
    if (held_ || paints(shownFor_, framesLeft)) {
        held_ = false;
        inner().showEntry(place, milliseconds);
        shownFor_ = milliseconds;
        return;
    }
    // The frame keeps its time, with the entry before it still standing.
    inner().pause().showFor(nullptr, milliseconds);
    *shownFor_ += milliseconds;
}

void CalmStage::expectEntries(const std::vector<int>& places) {
    // The frames shown, then the landing: in a draw one more row, in the
    // hidden pick the last frame's, shown after the title.
    framesLeft_ = places.empty() ? std::nullopt : std::optional<int>(int(places.size()) - 1);
    if (!shownFor_ || frameMilliseconds_ <= 0 || held_ || places.empty()) {
        inner().expectEntries(places);
        return;
    }
    std::vector<int> painted;
    std::optional<int> shownFor = shownFor_;
    for (std::size_t i = 0; i + 1 < places.size(); ++i) {
        if (paints(shownFor, int(places.size() - 1 - i))) {
            painted.push_back(places[i]);
            shownFor = 0;
        }
        *shownFor += frameMilliseconds_;
    }
    painted.push_back(places.back());
    inner().expectEntries(painted);
}

} // namespace tiravo
