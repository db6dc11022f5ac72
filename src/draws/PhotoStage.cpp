#include "draws/PhotoStage.h"

#include "draws/model/FramePlan.h"
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
    // The photo revealed after the suspense is the one under the cursor now,
    // and no other is needed.
    fitPrefetchToBox();
    prefetch_.expect(ComingEntries(*parts_.pool, kFoto, 1));
    pause_.showFor(parts_.picture, milliseconds);
}

void PhotoStage::putPlainFrame(bool paint) {
    copyPicture(parts_.plainFrame);
    if (paint)
        pause_.showFor(parts_.picture, 0);
}

void PhotoStage::showEntry(int milliseconds) {
    if (held_) {
        parts_.picture->setPicture(held_->picture, held_->path);
        held_.reset();
    } else {
        expectComingPhotos();
        const QString path = parts_.pool->field(kFoto).asString();
        parts_.picture->setPicture(prefetch_.take(path), path);
    }
    pause_.showFor(parts_.picture, milliseconds);
}

void PhotoStage::holdEntry() {
    const QString path = parts_.pool->field(kFoto).asString();
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

void PhotoStage::expectComingPhotos() {
    fitPrefetchToBox();
    prefetch_.expect(ComingEntries(*parts_.pool, kFoto, 1 + kFramesAhead));
}

} // namespace tiravo
