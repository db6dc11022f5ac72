#include "draws/model/PhotoFreeSlots.h"

#include "draws/model/DrawRecord.h"
#include "draws/model/PoolColumns.h"
#include "store/RowLoop.h"
#include "store/TableView.h"

namespace tiravo {

void ClearPhotoPool(TableView& pool) {
    pool.first();
    pool.setFilter(QString());
    const RecordedBulk record(pool, RecordAction::Clear, {&pool});
    try {
        EditEachRow(pool, RowWalk::FromFirst, [](Dataset& photos) {
            photos.field(kFoto).setAsString(QString());
            photos.field(kOk).setAsString(QString());
        });
    } catch (...) {
        pool.setFilter(kAvailableFilter);
        throw;
    }
}

} // namespace tiravo
