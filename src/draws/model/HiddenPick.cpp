#include "draws/model/HiddenPick.h"

#include "draws/model/DrawSkeleton.h"
#include "draws/model/DrawWork.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/StepCounts.h"
#include "draws/model/Stepping.h"
#include "platform/Dialogs.h"
#include "store/ChangedElsewhere.h"
#include "store/TableView.h"

namespace tiravo {

bool RunHiddenPick(TableView& pool, Dataset& winners, DrawStage& stage,
                   const HiddenPickSettings& settings, const Clock& clock, Dialogs& dialogs) {
    constexpr int kMinimum = 3;
    constexpr int kFrames = 50;
    ReadAgainIfChangedElsewhere({&pool, &winners});
    if (pool.recordCount() < kMinimum) {
        dialogs.notice(settings.needThreeEntries);
        return false;
    }
    // The pick has no keys to make; its pauses copy the last draw's log and
    // read the pool's entries for its record row.
    DrawWork work(stage.pause(), pool.connection());
    work.readAvailable(pool);
    SkipSteps(pool, DayMinutesSecondsStepCount(clock));
    for (int frame = 1; frame < kFrames; ++frame) {
        FrameStep(pool);
        stage.showEntry(settings.frameMilliseconds);
    }
    stage.showPickTitle(settings.titleMilliseconds);
    FrameStep(pool);
    // The last frame shows the entry taken out, once the file holds it.
    stage.holdEntry();
    try {
        TakeOut(pool, winners, settings.entry, work.availableBefore());
    } catch (const EntryTakenElsewhere& gone) {
        dialogs.error(gone.message());
        return true;
    }
    stage.showEntry(settings.frameMilliseconds);
    return true;
}

} // namespace tiravo
