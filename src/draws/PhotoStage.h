#pragma once

#include "draws/PictureStage.h"
#include "platform/PhotoPrefetch.h"

#include <QImage>
#include <QString>

#include <optional>
#include <vector>

namespace tiravo {

class Dataset;

// The stage of the photo screen: the entry is the photo of a row of the pool
// view, loaded into the big picture box, which shows the teaser picture
// during the suspense and before the hidden pick's last frame.
struct PhotoStageParts {
    StagePictures pictures;
    Dataset* pool = nullptr; // its "Foto" column holds the photo's path
};

class PhotoStage final : public PictureStage {
public:
    PhotoStage(PhotoStageParts parts, Pause& pause);

    // A photo that cannot be loaded throws the loader's error and leaves the
    // box as it was.
    void showEntry(int place, int milliseconds) override;
    void showPickTitle(int milliseconds) override;
    // The photo is decoded here: one that cannot be loaded fails before the
    // winner is written.
    void holdEntry(int place) override;
    // The photos of the coming places are decoded ahead, a few at a time.
    void expectEntries(const std::vector<int>& places) override;

    // The run is over: no photo is decoded ahead any more.
    void endRun();

    // How many frames ahead photos are decoded: enough to keep two decoders
    // busy while a frame is on the screen.
    static constexpr int kFramesAhead = 4;

private:
    void fitPrefetchToBox();
    QString photoAt(int place) const;

    Dataset* pool_;
    struct Held {
        QImage picture;
        QString path;
    };
    std::optional<Held> held_;
    PhotoPrefetch prefetch_;
};

} // namespace tiravo
