#pragma once

#include <QString>

namespace tiravo {

class Clock;
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
};

// False, after the message, when the pool is too small.
bool RunHiddenPick(TableView& pool, DrawStage& stage, const HiddenPickSettings& settings,
                   const Clock& clock, Dialogs& dialogs);

} // namespace tiravo
