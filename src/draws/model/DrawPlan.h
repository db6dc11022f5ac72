#pragma once

#include "draws/model/Stepping.h"

#include <cstddef>
#include <vector>

namespace tiravo {

struct DrawRun;

// Everything a draw will show and where it will end, worked out from the
// cursor's place before anything moves: the walk is taken once, here, and
// the screen, the reshuffle and the photos read ahead all follow it.
struct DrawPlan {
    // Where the cursor stands at each frame, in order, and so the row the
    // frame shows: a few dozen at most, however large the pool.
    std::vector<CursorPlace> frames;
    // Where the cursor stands once the walk is over; the row there is drawn.
    CursorPlace landing;
    // Whether the last frame is the drawn row itself (the hidden pick's),
    // rather than one more frame before it.
    bool lastFrameLands = false;

    // The rows shown from frame `frame` on, in order: the frames left, then
    // the drawn row unless the last frame is it.
    std::vector<int> shownFrom(std::size_t frame) const;
};

// A draw over `rows` rows (at least one) from `from`: `steps` skip steps,
// then the run, whose frames each show the row under the cursor before their
// frame step.
DrawPlan PlanDraw(int rows, CursorPlace from, int steps, const DrawRun& run);

// The hidden pick: `steps` skip steps, then `frames` frame steps, each frame
// showing the row the step lands on; the last frame is the landing row.
DrawPlan PlanHiddenPick(int rows, CursorPlace from, int steps, int frames);

} // namespace tiravo
