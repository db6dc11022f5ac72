#pragma once

#include "draws/PictureStage.h"

#include <QString>

#include <functional>
#include <optional>

class QLabel;

namespace tiravo {

// The built-in pictures behind the label of the number and name screens.
inline const QString kLabelTeaserPicture = QStringLiteral("teaser.png");
inline const QString kLabelFramePicture = QStringLiteral("frame.png");

// The stage of the screens that draw a text: the entry is written on a big
// label over the picture box.
struct LabelPictureStageParts {
    StagePictures pictures; // the big one lies behind the label
    QLabel* label = nullptr;
    // The text of the entry at a place of the pool view.
    std::function<QString(int place)> entryText;
    // What the hidden pick writes before its last frame.
    QString pickTitle = QStringLiteral("QUEM SERÁ ??????????");
};

class LabelPictureStage final : public PictureStage {
public:
    LabelPictureStage(LabelPictureStageParts parts, Pause& pause);

    void showEntry(int place, int milliseconds) override;
    void showPickTitle(int milliseconds) override;
    void holdEntry(int place) override;

private:
    void clearEntry() override;

    LabelPictureStageParts parts_;
    std::optional<QString> held_;
};

} // namespace tiravo
