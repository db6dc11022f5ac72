#pragma once

#include <QString>

#include <functional>
#include <vector>

#include "draws/model/PoolEntry.h"

namespace tiravo {

class BatchRecord;
class Clock;
struct DrawPlan;
class Dataset;
class Dialogs;
class Pause;
class Query;
class Random;
class TableView;

// What a draw screen shows while a draw runs. Every call paints at once and
// then holds the picture for the time given, so the audience sees each frame.
class DrawStage {
public:
    virtual ~DrawStage() = default;

    // The pause every frame of the stage is held by.
    virtual Pause& pause() = 0;

    // The teaser picture (and no entry over it), held for `milliseconds`.
    virtual void showTeaser(int milliseconds) = 0;
    // The plain frame picture behind the entry; painted now only when asked.
    virtual void putPlainFrame(bool paint) = 0;
    // The entry at `place` of the pool view, held for `milliseconds`; the
    // held entry instead, once one is held.
    virtual void showEntry(int place, int milliseconds) = 0;
    // What the hidden pick shows before its last frame, held for `milliseconds`.
    virtual void showPickTitle(int milliseconds) = 0;
    // Takes the entry at `place` for the next showEntry, which shows it even
    // once the pool view has changed. A winner is held before it is written
    // (the written row leaves the pool view) and revealed only once the file
    // has taken it; an entry that cannot be shown fails here, while nothing
    // is written yet.
    virtual void holdEntry(int place) = 0;
    // The places the draw shows next, in order, the next one first: a stage
    // that makes its pictures ahead of time reads them here.
    virtual void expectEntries(const std::vector<int>& places) { (void)places; }
};

// What happens between the step count and the suspense, by pool size.
struct DrawRun {
    enum class Kind { Nothing, SkipSteps, Frames };
    Kind kind = Kind::Nothing;
    int count = 0;
    int frameMilliseconds = 0;

    static DrawRun nothing() { return {}; }
    static DrawRun skipSteps(int count) { return {Kind::SkipSteps, count, 0}; }
    static DrawRun frames(int count, int milliseconds) {
        return {Kind::Frames, count, milliseconds};
    }
};

// One screen's form of the draw.
struct DrawSettings {
    QString needOneEntry; // shown when the pool is empty
    // The skip steps a multi-entry draw takes first, from the time of day.
    std::function<int(const Clock&)> stepCount;
    // The run that follows them, from the pool size and the step count.
    std::function<DrawRun(int poolSize, int steps)> run;
    int singleTeaserMilliseconds = 2000;
    int suspenseMilliseconds = 1000;
    int revealMilliseconds = 100;
    bool revealOnPlainFrame = true; // false: the entry is a picture of its own
    WinnerFlag winnerFlag = WinnerFlag::OkAndPlace;
    // How the refusal names the winner when another copy of the program on
    // the same file drew or removed it first.
    EntryNaming entry;
    // How the record names the draw: one of a batch is a BatchDraw of `batch`.
    RecordAction action = RecordAction::Draw;
    BatchRecord* batch = nullptr;
};

// TakenElsewhere: the winner was no longer available in the file. Nothing
// was written, the message has been shown, and the pool view and the winners
// list have been read again: the screen shows its counter anew and goes no
// further (no winners list to re-run, no reshuffle).
enum class DrawOutcome { NoEntries, SingleEntry, MultiEntry, TakenElsewhere };

// "Fazer Sorteio" up to the recorded winner: the walk from wherever the cursor
// stands is planned at once (DrawPlan.h), the screen shows the plan's frames,
// the cursor is put where the walk ends, and the row there is drawn at the next place of `winners`
// (which is not read again first). The winner is revealed only once the file holds it: when the
// file cannot take the draw, the suspense stays on the screen and the error
// ends the draw, so the audience never sees a winner that is not stored. A multi-entry draw also
// reshuffles the pool: the keys are written while its frames are shown and stored with the winner,
// all or nothing, and the pool view is ordered by them when it returns. What follows (the counter,
// the winners list) is the screen's. When another copy of the program has changed the file since
// the pool or the winners were read, they are read again before anything else, and the walk starts
// from the first row.
DrawOutcome RunDraw(TableView& pool, Query& winners, DrawStage& stage, const DrawSettings& settings,
                    const Clock& clock, Dialogs& dialogs, Random& random);

// Frame `frame` of `plan`, held for `milliseconds`, after the places from it
// on are told to the stage. When it cannot be shown, the cursor of `pool` is
// put where the walk stands at that frame, so that the next draw steps on
// from the frame that failed.
void ShowPlannedFrame(Dataset& pool, DrawStage& stage, const DrawPlan& plan, std::size_t frame,
                      int milliseconds);

} // namespace tiravo
