#pragma once

#include "draws/model/DrawSkeleton.h"

#include <QString>

#include <functional>
#include <optional>

class QLabel;

namespace tiravo {

// The built-in pictures behind the label of the number and name screens.
inline const QString kLabelTeaserPicture = QStringLiteral("teaser.png");
inline const QString kLabelFramePicture = QStringLiteral("frame.png");

class Pause;
class PictureBox;

// The stage of the screens that draw a text: the entry is written on a big
// label over a picture box, which shows the teaser picture during the suspense
// and the plain frame picture behind the entry. The teaser and the frame are
// kept in boxes of their own, outside the visible area, and copied in.
struct LabelPictureStageParts {
    PictureBox* picture = nullptr; // the big picture behind the label
    QLabel* label = nullptr;
    const PictureBox* teaser = nullptr;
    const PictureBox* plainFrame = nullptr;
    // The text of the entry at a place of the pool view.
    std::function<QString(int place)> entryText;
    // What the hidden pick writes before its last frame.
    QString pickTitle = QStringLiteral("QUEM SERÁ ??????????");
};

class LabelPictureStage final : public DrawStage {
public:
    LabelPictureStage(LabelPictureStageParts parts, Pause& pause);

    Pause& pause() override { return pause_; }
    void showTeaser(int milliseconds) override;
    void putPlainFrame(bool paint) override;
    void showEntry(int place, int milliseconds) override;
    void showPickTitle(int milliseconds) override;
    void holdEntry(int place) override;

    // The teaser behind an empty label, as the screen stands between draws.
    void restOnTeaser();

private:
    void copyPicture(const PictureBox* from);

    LabelPictureStageParts parts_;
    Pause& pause_;
    std::optional<QString> held_;
};

} // namespace tiravo
