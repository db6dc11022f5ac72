#pragma once

#include "common/Error.h"
#include "draws/model/RecordActions.h"
#include "store/Value.h"

#include <QString>

#include <functional>

namespace tiravo {

struct AvailableEntries;
class BatchRecord;
class Dataset;
class Query;

// The moves of one pool row between its entry states. Each edits the current
// row and posts it; a pool view filtered on "Ok = True" loses the row as soon
// as it stops being available. A move whose post fails leaves no row in
// editing: the next move of the cursor would otherwise post it silently.

// Only the number pool keeps Ativo as "listed among the winners"; the name and
// photo pools leave it alone when they draw.
enum class WinnerFlag { OkAndPlace, OkPlaceAndActive };

// How the operator is told which entry of a pool a message is about.
struct EntryNaming {
    QString column;        // the entry, read as the pool view shows it
    QString noun;          // with its article: "O número", "A foto"
    bool feminine = false; // the noun's gender, for the words that follow
};

EntryNaming NumberEntries(); // "O número 07", as the number screen shows it
EntryNaming NameEntries();   // "O nome Ana"
EntryNaming PhotoEntries();  // "A foto /fotos/ana.jpg"

// Another copy of the program on the same file drew or removed the entry
// after this one read its pool. Nothing was written; the pool view and the
// winners list have been read again, so the next draw sees the file as it is.
class EntryTakenElsewhere : public Error {
public:
    using Error::Error;
};

// What the operator is told when the entry `text` was drawn or removed by
// another copy of the program first.
QString TakenElsewhereMessage(const EntryNaming& entry, const QString& text);

// The place a newly drawn entry takes: one after the winners list as it was
// last read. The list is not read again first, so a pick that gave no place
// since then is not counted.
int NextWinnerPlace(const Dataset& winners);

// available -> drawn, at the next place of `winners`. The row is written only
// while it is still available in the file; otherwise EntryTakenElsewhere,
// naming the entry, after `beforeReadingAgain` (a draw undoes its other
// writes there) and after `pool` and `winners` have been read again. The
// place is decided in the transaction that writes the row: when another
// program has committed since `winners` was read, it is one after the highest
// place the file holds, so that two copies never give one place twice. A
// place an absence left vacant is given first (LowestVacantPlace).
// `action` says, for the record, who moved it: a draw screen's draw or the
// name editor's ">>>". `beforeReadingAgain` runs when the entry is gone,
// before the views are read again. `availableBefore`, when it still holds,
// is what the record row names as the pool before the draw (see
// RecordedMove). A draw of a batch names `batch` in its record row.
void RecordWinner(Dataset& pool, Query& winners, WinnerFlag flag, const EntryNaming& entry = {},
                  RecordAction action = RecordAction::Draw,
                  const std::function<void()>& beforeReadingAgain = {},
                  const AvailableEntries* availableBefore = nullptr, BatchRecord* batch = nullptr);

// available -> taken out: out of the pool without a place of its own. Guarded
// as RecordWinner is; `winners` is read again with the pool when the entry
// is gone, since the other program may have listed it.
void TakeOut(Dataset& pool, Dataset& winners, const EntryNaming& entry = {},
             const AvailableEntries* availableBefore = nullptr);

// The name editor's "<<<": the current row of `winners` (a winners list of
// the name pool) -> available, without a place; the winners that stay are
// numbered down to 1 in their order. One transaction with its record row.
// False, with nothing written, when the file no longer lists the row among
// the winners (another copy of the program returned or removed it).
bool ReturnWinner(Dataset& winners);

} // namespace tiravo
