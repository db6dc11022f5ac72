#include "draws/PhotoStage.h"

#include "draws/model/PoolColumns.h"
#include "platform/Pause.h"
#include "store/Dataset.h"
#include "widgets/FullScreenPresenter.h"
#include "widgets/PictureBox.h"

namespace tiravo {

PhotoStage::PhotoStage(PhotoStageParts parts, Pause& pause)
    : PictureStage(parts.pictures, pause), pool_(parts.pool),
      prefetch_(parts.pictures.picture->size()) {}

void PhotoStage::showEntry(int place, int milliseconds) {
    if (held_) {
        picture()->setPicture(held_->picture, held_->path);
        held_.reset();
    } else {
        const QString path = photoAt(place);
        picture()->setPicture(prefetch_.take(path), path);
    }
    pause().showFor(picture(), milliseconds);
}

void PhotoStage::holdEntry(int place) {
    const QString path = photoAt(place);
    held_ = Held{prefetch_.take(path), path};
}

void PhotoStage::showPickTitle(int milliseconds) {
    // The photo stage has no title to write: the teaser stands for it.
    showTeaser(milliseconds);
}

void PhotoStage::endRun() {
    prefetch_.forget();
}

void PhotoStage::fitPrefetchToBox() {
    // Full screen, the box covers more pixels than in the window.
    prefetch_.setBox(FullScreenPresenter::PresentedSize(picture()));
}

void PhotoStage::expectEntries(const std::vector<int>& places) {
    fitPrefetchToBox();
    QStringList paths;
    for (std::size_t i = 0; i < places.size() && i < std::size_t(1 + kFramesAhead); ++i)
        paths << photoAt(places[i]);
    prefetch_.expect(paths);
}

QString PhotoStage::photoAt(int place) const {
    return pool_->displayText(place, kFoto);
}

} // namespace tiravo
