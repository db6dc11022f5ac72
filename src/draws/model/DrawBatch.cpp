#include "draws/model/DrawBatch.h"

#include "platform/Pause.h"

namespace tiravo {

void BatchRecord::kept() {
    if (!appended_)
        return;
    if (!first_)
        first_ = appended_->sequence;
    rows_.push_back(std::move(*appended_));
    appended_.reset();
}

void WinnerHold::hold(Pause& pause, bool mayStop) {
    if (!waiting_)
        return;
    waiting_ = false;
    pause.showFor(nullptr, kBatchWinnerMilliseconds);
    if (held_)
        held_();
    if (mayStop && stopAsked_ && stopAsked_())
        throw BatchStopped{};
}

void BatchStage::expectEntries(const std::vector<int>& places) {
    hold_.hold(pause(), true);
    inner().expectEntries(places);
}

void BatchStage::showTeaser(int milliseconds) {
    hold_.hold(pause(), true);
    if (first_)
        inner().showTeaser(milliseconds);
}

void BatchStage::holdEntry(int place) {
    hold_.hold(pause(), true);
    inner().holdEntry(place);
    winnerHeld_ = true;
}

void BatchStage::showEntry(int place, int milliseconds) {
    if (!winnerHeld_) {
        hold_.hold(pause(), true);
        inner().showEntry(place, milliseconds);
        return;
    }
    if (revealed_)
        revealed_();
    // Painted now, held by what follows it.
    inner().showEntry(place, 0);
    hold_.shown();
}

} // namespace tiravo
