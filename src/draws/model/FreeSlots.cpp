#include "draws/model/FreeSlots.h"

#include "draws/model/DrawRecord.h"
#include "draws/model/PoolColumns.h"
#include "store/RowLoop.h"
#include "store/TableView.h"

namespace tiravo {

namespace {

void WriteFreeSlot(Dataset& names, FreeSlotPlace place) {
    names.field(kNome).setAsString(names.field(kCod).asString());
    names.field(kOk).setAsString(QString());
    names.field(kAtivo).setAsString(kFalseText);
    if (place == FreeSlotPlace::Clear)
        names.field(kSorte).setAsString(QString());
}

} // namespace

void MakeNameFreeSlot(Dataset& names, FreeSlotPlace place) {
    const std::int64_t item = names.field(kCod).asInteger();
    RecordedMove record(names, {&names});
    // The name the file holds, not a change of it still being typed.
    const Value name = record.entryNow(item);
    EditRow(names, [place](Dataset& row) { WriteFreeSlot(row, place); });
    record.storedWithout(RecordAction::NameRemoved, item, name);
}

void ClearNamePool(TableView& pool) {
    pool.first();
    pool.setFilter(kLiveNameFilter);
    const RecordedBulk record(pool, RecordAction::Clear, {&pool});
    try {
        EditEachRow(pool, RowWalk::UntilEmpty,
                    [](Dataset& names) { WriteFreeSlot(names, FreeSlotPlace::Clear); });
    } catch (...) {
        pool.setFilter(kAvailableFilter);
        throw;
    }
}

} // namespace tiravo
