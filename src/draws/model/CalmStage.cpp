#include "draws/model/CalmStage.h"

#include "platform/Pause.h"

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

void CalmStage::showEntry(int place, int milliseconds) {
    frameMilliseconds_ = milliseconds;
    if (held_ || !shownFor_ || *shownFor_ >= kLeastShownMilliseconds) {
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
    if (!shownFor_ || frameMilliseconds_ <= 0 || held_ || places.empty()) {
        inner().expectEntries(places);
        return;
    }
    std::vector<int> painted;
    int shownFor = *shownFor_;
    for (std::size_t i = 0; i + 1 < places.size(); ++i) {
        if (shownFor >= kLeastShownMilliseconds) {
            painted.push_back(places[i]);
            shownFor = 0;
        }
        shownFor += frameMilliseconds_;
    }
    painted.push_back(places.back());
    inner().expectEntries(painted);
}

} // namespace tiravo
