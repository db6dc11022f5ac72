#pragma once

#include "draws/model/ForwardingStage.h"

#include <optional>

namespace tiravo {

// The calm showing of a draw: an entry stays on the stage for at least
// kLeastShownMilliseconds, so that the stage changes no more than three
// times in any one second. Every frame still comes, in its order and for its
// time; a frame that would change the stage sooner only waits. The teaser,
// the hidden pick's title and the held entry (the winner) are shown as they
// come.
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
    // ones shown.
    void expectEntries(const std::vector<int>& places) override;

private:
    // How long the entry painted last has stood on the stage; none before
    // the first frame and after a teaser or title.
    std::optional<int> shownFor_;
    int frameMilliseconds_ = 0; // the last frame's
    bool held_ = false;
};

} // namespace tiravo
