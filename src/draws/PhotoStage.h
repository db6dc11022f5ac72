#pragma once

#include "draws/model/DrawSkeleton.h"
#include "platform/PhotoPrefetch.h"

#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace tiravo {

class Dataset;
class Pause;
class PictureBox;

// The stage of the photo screen: the entry is the photo of a row of the pool
// view, loaded into the big picture box, which shows the teaser picture
// during the suspense and before the hidden pick's last frame. The teaser and
// the plain frame are kept in boxes of their own and copied in.
struct PhotoStageParts {
    PictureBox* picture = nullptr;
    const PictureBox* teaser = nullptr;
    const PictureBox* plainFrame = nullptr;
    Dataset* pool = nullptr; // its "Foto" column holds the photo's path
};

class PhotoStage final : public DrawStage {
public:
    PhotoStage(PhotoStageParts parts, Pause& pause);

    Pause& pause() override { return pause_; }
    void showTeaser(int milliseconds) override;
    void putPlainFrame(bool paint) override;
    // A photo that cannot be loaded throws the loader's error and leaves the
    // box as it was.
    void showEntry(int place, int milliseconds) override;
    void showPickTitle(int milliseconds) override;
    // The photo is decoded here: one that cannot be loaded fails before the
    // winner is written.
    void holdEntry(int place) override;
    // The photos of the coming places are decoded ahead, a few at a time.
    void expectEntries(const std::vector<int>& places) override;

    // The teaser, as the screen stands before its first draw.
    void restOnTeaser();
    // The run is over: no photo is decoded ahead any more.
    void endRun();

    // How many frames ahead photos are decoded: enough to keep two decoders
    // busy while a frame is on the screen.
    static constexpr int kFramesAhead = 4;

private:
    void copyPicture(const PictureBox* from);
    void fitPrefetchToBox();
    QString photoAt(int place) const;

    PhotoStageParts parts_;
    Pause& pause_;
    struct Held {
        QImage picture;
        QString path;
    };
    std::optional<Held> held_;
    PhotoPrefetch prefetch_;
};

} // namespace tiravo
