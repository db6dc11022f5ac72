#include "draws/model/DrawPlan.h"

#include "draws/model/DrawSkeleton.h"

#include <cstdint>

namespace tiravo {

namespace {

// `count` skip steps at once: after the first, which leaves the end flag, the
// walk only goes round the rows, and a pool of a million rows costs no more
// than one of three.
CursorPlace SkipStepsPlace(CursorPlace from, int rows, int count) {
    if (count <= 0 || rows <= 0)
        return from;
    CursorPlace at = SkipStepPlace(from, rows);
    at.place = int((std::int64_t(at.place) + count - 1) % rows);
    return at;
}

} // namespace

std::vector<int> DrawPlan::shownFrom(std::size_t frame) const {
    std::vector<int> shown;
    for (std::size_t i = frame; i < frames.size(); ++i)
        shown.push_back(frames[i].place);
    if (!lastFrameLands)
        shown.push_back(landing.place);
    return shown;
}

DrawPlan PlanDraw(int rows, CursorPlace from, int steps, const DrawRun& run) {
    DrawPlan plan;
    CursorPlace at = SkipStepsPlace(from, rows, steps);
    switch (run.kind) {
    case DrawRun::Kind::Nothing:
        break;
    case DrawRun::Kind::SkipSteps:
        at = SkipStepsPlace(at, rows, run.count);
        break;
    case DrawRun::Kind::Frames:
        for (int i = 0; i < run.count; ++i) {
            plan.frames.push_back(at);
            at = FrameStepPlace(at, rows);
        }
        break;
    }
    plan.landing = at;
    return plan;
}

DrawPlan PlanHiddenPick(int rows, CursorPlace from, int steps, int frames) {
    DrawPlan plan;
    CursorPlace at = SkipStepsPlace(from, rows, steps);
    for (int i = 0; i < frames; ++i) {
        at = FrameStepPlace(at, rows);
        plan.frames.push_back(at);
    }
    plan.landing = at;
    plan.lastFrameLands = frames > 0;
    return plan;
}

} // namespace tiravo
