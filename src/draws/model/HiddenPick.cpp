#include "draws/model/HiddenPick.h"

#include "draws/model/DrawPlan.h"
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
    const DrawPlan plan = PlanHiddenPick(pool.recordCount(), PlaceOf(pool),
                                         DayMinutesSecondsStepCount(clock), kFrames);
    // Every frame but the last, which shows the entry taken out.
    for (std::size_t frame = 0; frame + 1 < plan.frames.size(); ++frame)
        ShowPlannedFrame(pool, stage, plan, frame, settings.frameMilliseconds);
    stage.showPickTitle(settings.titleMilliseconds);
    PlaceCursor(pool, plan.landing);
    // The last frame shows the entry taken out, once the file holds it.
    stage.holdEntry(plan.landing.place);
    try {
        TakeOut(pool, winners, settings.entry, work.availableBefore());
    } catch (const EntryTakenElsewhere& gone) {
        dialogs.error(gone.message());
        return true;
    }
    stage.showEntry(plan.landing.place, settings.frameMilliseconds);
    return true;
}

} // namespace tiravo
