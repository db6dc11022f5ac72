#include "draws/model/DrawBatch.h"

namespace tiravo {

void BatchRecord::kept() {
    if (!appended_)
        return;
    if (!first_)
        first_ = appended_->sequence;
    rows_.push_back(std::move(*appended_));
    appended_.reset();
}

void BatchStage::showTeaser(int milliseconds) {
    if (first_)
        inner().showTeaser(milliseconds);
}

void BatchStage::holdEntry(int place) {
    inner().holdEntry(place);
    winnerHeld_ = true;
}

void BatchStage::showEntry(int place, int milliseconds) {
    if (!winnerHeld_) {
        inner().showEntry(place, milliseconds);
        return;
    }
    if (revealed_)
        revealed_();
    inner().showEntry(place, kBatchWinnerMilliseconds);
}

} // namespace tiravo
