#include "draws/PhotoStage.h"

#include "draws/model/PoolColumns.h"
#include "platform/Pause.h"
#include "store/Dataset.h"
#include "widgets/FullScreenPresenter.h"
#include "widgets/PictureBox.h"

namespace tiravo {

PhotoStage::PhotoStage(PhotoStageParts parts, Pause& pause)
    : parts_(parts), pause_(pause), prefetch_(parts.picture->size()) {}

void PhotoStage::showTeaser(int milliseconds) {
    copyPicture(parts_.teaser);
    pause_.showFor(parts_.picture, milliseconds);
}

void PhotoStage::putPlainFrame(bool paint) {
    copyPicture(parts_.plainFrame);
    if (paint)
        pause_.showFor(parts_.picture, 0);
}

void PhotoStage::showEntry(int place, int milliseconds) {
    if (held_) {
        parts_.picture->setPicture(held_->picture, held_->path);
        held_.reset();
    } else {
        const QString path = photoAt(place);
        parts_.picture->setPicture(prefetch_.take(path), path);
    }
    pause_.showFor(parts_.picture, milliseconds);
}

void PhotoStage::holdEntry(int place) {
    const QString path = photoAt(place);
    held_ = Held{prefetch_.take(path), path};
}

void PhotoStage::showPickTitle(int milliseconds) {
    copyPicture(parts_.teaser);
    pause_.showFor(parts_.picture, milliseconds);
}

void PhotoStage::restOnTeaser() {
    copyPicture(parts_.teaser);
}

void PhotoStage::endRun() {
    prefetch_.forget();
}

void PhotoStage::copyPicture(const PictureBox* from) {
    parts_.picture->setPicture(from->picture(), from->pictureName());
}

void PhotoStage::fitPrefetchToBox() {
    // Full screen, the box covers more pixels than in the window.
    prefetch_.setBox(FullScreenPresenter::PresentedSize(parts_.picture));
}

void PhotoStage::expectEntries(const std::vector<int>& places) {
    fitPrefetchToBox();
    QStringList paths;
    for (std::size_t i = 0; i < places.size() && i < std::size_t(1 + kFramesAhead); ++i)
        paths << photoAt(places[i]);
    prefetch_.expect(paths);
}

QString PhotoStage::photoAt(int place) const {
    return parts_.pool->displayText(place, kFoto);
}

} // namespace tiravo
