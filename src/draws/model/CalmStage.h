#pragma once

#include "draws/model/ForwardingStage.h"

#include <optional>

namespace tiravo {

// The calm showing of a draw: an entry stays on the stage for at least
// kLeastShownMilliseconds, so that the stage changes no more than three
// times in any one second. Every frame still comes, in its order and for its
// time; a frame that would change the stage sooner only waits, and so does
// one whose entry would stand for less than that before the teaser (or the
// hidden pick's title) ends the frames. The teaser, the title and the held
// entry (the winner) are shown as they come.
class CalmStage final : public ForwardingStage {
public:
    static constexpr int kLeastShownMilliseconds = 334;

    explicit CalmStage(DrawStage& stage) : ForwardingStage(stage) {}

    void showTeaser(int milliseconds) override;
    void showEntry(int place, int milliseconds) override;
    void showPickTitle(int milliseconds) override;
    void holdEntry(int place) override;
    // Only the places that will be painted, and always the last one (the
    // landing, which the reveal shows), so that pictures made ahead are the
    // ones shown. The places also tell how many frames are left.
    void expectEntries(const std::vector<int>& places) override;

private:
    // Whether a frame paints, given how long the entry before it has stood
    // (none: nothing of this run of frames yet) and how many frames are left
    // from it on, when known.
    bool paints(std::optional<int> shownFor, std::optional<int> framesLeft) const;

    // How long the entry painted last has stood on the stage; none before
    // the first frame and after a teaser or title.
    std::optional<int> shownFor_;
    // The frames left, this one included, as the last expectEntries told.
    std::optional<int> framesLeft_;
    int frameMilliseconds_ = 0; // the last frame's
    bool held_ = false;
};

} // namespace tiravo
