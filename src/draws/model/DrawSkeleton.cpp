#include "draws/model/DrawSkeleton.h"

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

// The winner is written only while it is still available in the file.
bool Record(TableView& pool, Query& winners, const DrawSettings& settings, Dialogs& dialogs) {
    try {
        RecordWinner(pool, winners, settings.winnerFlag, settings.entry);
        return true;
    } catch (const EntryTakenElsewhere& gone) {
        dialogs.error(gone.message());
        return false;
    }
}

} // namespace

DrawOutcome RunDraw(TableView& pool, Query& winners, DrawStage& stage, const DrawSettings& settings,
                    const Clock& clock, Dialogs& dialogs) {
    ReadAgainIfChangedElsewhere({&pool, &winners});
    const int n = pool.recordCount();
    if (n == 0) {
        dialogs.notice(settings.needOneEntry);
        return DrawOutcome::NoEntries;
    }
    if (n == 1) {
        stage.showTeaser(settings.singleTeaserMilliseconds);
        Reveal(stage, settings);
        if (!Record(pool, winners, settings, dialogs))
            return DrawOutcome::TakenElsewhere;
        return DrawOutcome::SingleEntry;
    }
    stage.putPlainFrame(false);
    const int steps = settings.stepCount(clock);
    SkipSteps(pool, steps);
    Run(pool, stage, settings.run(n, steps));
    stage.showTeaser(settings.suspenseMilliseconds);
    Reveal(stage, settings);
    if (!Record(pool, winners, settings, dialogs))
        return DrawOutcome::TakenElsewhere;
    return DrawOutcome::MultiEntry;
}

} // namespace tiravo
