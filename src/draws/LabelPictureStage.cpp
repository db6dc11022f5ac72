#include "draws/LabelPictureStage.h"

#include "platform/Pause.h"

#include <QLabel>

namespace tiravo {

LabelPictureStage::LabelPictureStage(LabelPictureStageParts parts, Pause& pause)
    : PictureStage(parts.pictures, pause), parts_(std::move(parts)) {}

void LabelPictureStage::showEntry(int place, int milliseconds) {
    parts_.label->setText(held_ ? *held_ : parts_.entryText(place));
    held_.reset();
    pause().showFor(parts_.label, milliseconds);
}

void LabelPictureStage::holdEntry(int place) {
    held_ = parts_.entryText(place);
}

void LabelPictureStage::showPickTitle(int milliseconds) {
    parts_.label->setText(parts_.pickTitle);
    pause().showFor(parts_.label, milliseconds);
}

void LabelPictureStage::clearEntry() {
    parts_.label->clear();
}

} // namespace tiravo
