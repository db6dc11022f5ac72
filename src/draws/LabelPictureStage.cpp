#include "draws/LabelPictureStage.h"

#include "platform/Pause.h"
#include "widgets/PictureBox.h"

#include <QLabel>

namespace tiravo {

LabelPictureStage::LabelPictureStage(LabelPictureStageParts parts, Pause& pause)
    : parts_(std::move(parts)), pause_(pause) {}

void LabelPictureStage::showTeaser(int milliseconds) {
    copyPicture(parts_.teaser);
    parts_.label->clear();
    pause_.showFor(parts_.picture, milliseconds);
}

void LabelPictureStage::putPlainFrame(bool paint) {
    copyPicture(parts_.plainFrame);
    if (paint)
        pause_.showFor(parts_.picture, 0);
}

void LabelPictureStage::showEntry(int place, int milliseconds) {
    parts_.label->setText(held_ ? *held_ : parts_.entryText(place));
    held_.reset();
    pause_.showFor(parts_.label, milliseconds);
}

void LabelPictureStage::holdEntry(int place) {
    held_ = parts_.entryText(place);
}

void LabelPictureStage::showPickTitle(int milliseconds) {
    parts_.label->setText(parts_.pickTitle);
    pause_.showFor(parts_.label, milliseconds);
}

void LabelPictureStage::restOnTeaser() {
    parts_.label->clear();
    copyPicture(parts_.teaser);
}

void LabelPictureStage::copyPicture(const PictureBox* from) {
    parts_.picture->setPicture(from->picture(), from->pictureName());
}

} // namespace tiravo
