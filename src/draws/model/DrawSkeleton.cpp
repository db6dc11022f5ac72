#include "draws/model/DrawSkeleton.h"

#include "common/Error.h"
#include "draws/model/DrawWork.h"
#include "draws/model/Stepping.h"
#include "platform/Dialogs.h"
#include "store/ChangedElsewhere.h"
#include "store/Query.h"
#include "store/TableView.h"

namespace tiravo {

namespace {

void Reveal(DrawStage& stage, const DrawSettings& settings) {
    if (settings.revealOnPlainFrame)
        stage.putPlainFrame(true);
    stage.showEntry(settings.revealMilliseconds);
}

void Run(TableView& pool, DrawStage& stage, const DrawRun& run) {
    switch (run.kind) {
    case DrawRun::Kind::Nothing:
        break;
    case DrawRun::Kind::SkipSteps:
        SkipSteps(pool, run.count);
        break;
    case DrawRun::Kind::Frames:
        for (int i = 0; i < run.count; ++i) {
            stage.showEntry(run.frameMilliseconds);
            FrameStep(pool);
        }
        break;
    }
}

// Where the cursor will stand once the draw has taken its steps and its run.
int LandingPlace(const TableView& pool, int steps, const DrawRun& run) {
    const int rows = pool.recordCount();
    CursorPlace at = PlaceOf(pool);
    for (int i = 0; i < steps; ++i)
        at = SkipStepPlace(at, rows);
    if (run.kind == DrawRun::Kind::SkipSteps)
        for (int i = 0; i < run.count; ++i)
            at = SkipStepPlace(at, rows);
    if (run.kind == DrawRun::Kind::Frames)
        for (int i = 0; i < run.count; ++i)
            at = FrameStepPlace(at, rows);
    return at.place;
}

// The winner is written only while it is still available in the file. When
// it is not, the draw's other writes are undone before the views are read
// again, so that they show the file as it is.
bool Record(TableView& pool, Query& winners, const DrawSettings& settings, Dialogs& dialogs,
            DrawWork* work = nullptr) {
    try {
        RecordWinner(
            pool, winners, settings.winnerFlag, settings.entry, RecordAction::Draw,
            [work] {
                if (work)
                    work->rollback();
            },
            work ? work->availableBefore() : nullptr);
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
        stage.showTeaser(settings.singleTeaserMilliseconds);
        stage.holdEntry();
        if (!Record(pool, winners, settings, dialogs))
            return DrawOutcome::TakenElsewhere;
        Reveal(stage, settings);
        return DrawOutcome::SingleEntry;
    }
    stage.putPlainFrame(false);
    const int steps = settings.stepCount(clock);
    const DrawRun run = settings.run(n, steps);
    // The walk is known before it is taken, so the keys of every entry but
    // the winner are made while the frames are on the screen.
    const int winnerPlace = LandingPlace(pool, steps, run);
    work.reshuffle(pool, winnerPlace, random);
    SkipSteps(pool, steps);
    Run(pool, stage, run);
    stage.showTeaser(settings.suspenseMilliseconds);
    work.finish();
    if (pool.recNo() != winnerPlace)
        throw Error(QStringLiteral("The draw did not end on the entry its keys were made for"));
    stage.holdEntry();
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
    Reveal(stage, settings);
    return DrawOutcome::MultiEntry;
}

} // namespace tiravo
