#include "draws/model/DrawSkeleton.h"

#include "draws/model/DrawPlan.h"
#include "draws/model/DrawWork.h"
#include "draws/model/Stepping.h"
#include "platform/Dialogs.h"
#include "store/ChangedElsewhere.h"
#include "store/Query.h"
#include "store/TableView.h"

namespace tiravo {

namespace {

void Reveal(DrawStage& stage, const DrawSettings& settings, int place) {
    if (settings.revealOnPlainFrame)
        stage.putPlainFrame(true);
    stage.showEntry(place, settings.revealMilliseconds);
}

// The winner is written only while it is still available in the file. When
// it is not, the draw's other writes are undone before the views are read
// again, so that they show the file as it is.
bool Record(TableView& pool, Query& winners, const DrawSettings& settings, Dialogs& dialogs,
            DrawWork* work = nullptr) {
    try {
        RecordWinner(
            pool, winners, settings.winnerFlag, settings.entry, settings.action,
            [work] {
                if (work)
                    work->rollback();
            },
            work ? work->availableBefore() : nullptr, settings.batch);
        return true;
    } catch (const EntryTakenElsewhere& gone) {
        dialogs.error(gone.message());
        return false;
    }
}

} // namespace

DrawOutcome RunDraw(TableView& pool, Query& winners, DrawStage& stage, const DrawSettings& settings,
                    const Clock& clock, Dialogs& dialogs, Random& random) {
    ReadAgainIfChangedElsewhere({&pool, &winners});
    const int n = pool.recordCount();
    if (n == 0) {
        dialogs.notice(settings.needOneEntry);
        return DrawOutcome::NoEntries;
    }
    DrawWork work(stage.pause(), pool.connection());
    if (n == 1) {
        const int only = PlaceOf(pool).place;
        stage.expectEntries({only});
        stage.showTeaser(settings.singleTeaserMilliseconds);
        stage.holdEntry(only);
        if (!Record(pool, winners, settings, dialogs))
            return DrawOutcome::TakenElsewhere;
        Reveal(stage, settings, only);
        return DrawOutcome::SingleEntry;
    }
    stage.putPlainFrame(false);
    const int steps = settings.stepCount(clock);
    const DrawRun run = settings.run(n, steps);
    // The walk is known before it is taken, so the keys of every entry but
    // the winner are made while the frames are on the screen.
    const DrawPlan plan = PlanDraw(n, PlaceOf(pool), steps, run);
    const int winnerPlace = plan.landing.place;
    work.reshuffle(pool, winnerPlace, random);
    for (std::size_t frame = 0; frame < plan.frames.size(); ++frame)
        ShowPlannedFrame(pool, stage, plan, frame, run.frameMilliseconds);
    PlaceCursor(pool, plan.landing);
    stage.expectEntries({winnerPlace});
    stage.showTeaser(settings.suspenseMilliseconds);
    work.finish();
    stage.holdEntry(winnerPlace);
    if (!Record(pool, winners, settings, dialogs, &work))
        return DrawOutcome::TakenElsewhere;
    try {
        work.commit();
    } catch (...) {
        // The views show the winner stored; the file holds nothing of it.
        ReadAgain(pool);
        ReadAgain(winners);
        throw;
    }
    Reveal(stage, settings, winnerPlace);
    return DrawOutcome::MultiEntry;
}

void ShowPlannedFrame(Dataset& pool, DrawStage& stage, const DrawPlan& plan, std::size_t frame,
                      int milliseconds) {
    const CursorPlace at = plan.frames.at(frame);
    try {
        stage.expectEntries(plan.shownFrom(frame));
        stage.showEntry(at.place, milliseconds);
    } catch (...) {
        PlaceCursor(pool, at);
        throw;
    }
}

} // namespace tiravo
