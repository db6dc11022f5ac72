#pragma once

#include "draws/model/PoolEntry.h"

#include <QString>

namespace tiravo {

class Clock;
class Dataset;
class Dialogs;
class DrawStage;
class TableView;

// The pick behind the unseen "Quem Será" button of a draw screen: a step count
// from the date and time, then a run of frames, the last one after a title;
// the entry under the cursor at the end is taken out of the pool. It gives no
// place in the winners list and does not reshuffle.
struct HiddenPickSettings {
    QString needThreeEntries; // shown when the pool has fewer than three
    int frameMilliseconds = 150;
    int titleMilliseconds = 2000;
    // How the refusal names the entry when another copy of the program on
    // the same file drew or removed it first.
    EntryNaming entry;
};

// The pool and `winners` are read again first when another copy of the
// program has changed the file since they were read. False, after the
// message, when the pool is too small. When the entry is no
// longer available in the file, nothing is written, the message is shown and
// the pool view and `winners` have been read again; the answer is true then,
// so that the screen shows its counter anew.
bool RunHiddenPick(TableView& pool, Dataset& winners, DrawStage& stage,
                   const HiddenPickSettings& settings, const Clock& clock, Dialogs& dialogs);

} // namespace tiravo
