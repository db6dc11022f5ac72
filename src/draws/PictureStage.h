#pragma once

#include "draws/model/DrawSkeleton.h"

namespace tiravo {

class Pause;
class PictureBox;

// The big picture box of a draw screen, and the two pictures copied into it:
// the teaser during the suspense, the plain frame behind the entry. Both are
// kept in boxes of their own, outside the visible area.
struct StagePictures {
    PictureBox* picture = nullptr;
    const PictureBox* teaser = nullptr;
    const PictureBox* plainFrame = nullptr;
};

// What the stages of the three draw screens do alike: the teaser and the
// plain frame copied into the big picture, and the pause every frame is held
// by. What an entry is, and how it shows, is each stage's own.
class PictureStage : public DrawStage {
public:
    Pause& pause() final { return pause_; }
    void showTeaser(int milliseconds) final;
    void putPlainFrame(bool paint) final;

    // The teaser, and no entry over it, as the screen stands between draws.
    void restOnTeaser();

protected:
    PictureStage(StagePictures pictures, Pause& pause);

    // Takes away what the stage writes over the picture, if anything.
    virtual void clearEntry() {}

    PictureBox* picture() const { return pictures_.picture; }

private:
    void copyPicture(const PictureBox* from);

    StagePictures pictures_;
    Pause& pause_;
};

} // namespace tiravo
