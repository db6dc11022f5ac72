#include "draws/PictureStage.h"

#include "platform/Pause.h"
#include "widgets/PictureBox.h"

namespace tiravo {

PictureStage::PictureStage(StagePictures pictures, Pause& pause)
    : pictures_(pictures), pause_(pause) {}

void PictureStage::showTeaser(int milliseconds) {
    copyPicture(pictures_.teaser);
    clearEntry();
    pause_.showFor(pictures_.picture, milliseconds);
}

void PictureStage::putPlainFrame(bool paint) {
    copyPicture(pictures_.plainFrame);
    if (paint)
        pause_.showFor(pictures_.picture, 0);
}

void PictureStage::restOnTeaser() {
    clearEntry();
    copyPicture(pictures_.teaser);
}

void PictureStage::copyPicture(const PictureBox* from) {
    pictures_.picture->setPicture(from->picture(), from->pictureName());
}

} // namespace tiravo
