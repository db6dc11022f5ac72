#include "draws/model/HiddenPick.h"

#include "draws/model/DrawSkeleton.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/StepCounts.h"
#include "draws/model/Stepping.h"
#include "platform/Dialogs.h"
#include "store/TableView.h"

namespace tiravo {

bool RunHiddenPick(TableView& pool, DrawStage& stage, const HiddenPickSettings& settings,
                   const Clock& clock, Dialogs& dialogs) {
    constexpr int kMinimum = 3;
    constexpr int kFrames = 50;
    if (pool.recordCount() < kMinimum) {
        dialogs.notice(settings.needThreeEntries);
        return false;
    }
    SkipSteps(pool, DayMinutesSecondsStepCount(clock));
    for (int frame = 1; frame <= kFrames; ++frame) {
        if (frame == kFrames)
            stage.showPickTitle(settings.titleMilliseconds);
        FrameStep(pool);
        stage.showEntry(settings.frameMilliseconds);
    }
    TakeOut(pool);
    return true;
}

} // namespace tiravo
