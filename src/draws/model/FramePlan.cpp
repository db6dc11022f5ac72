#include "draws/model/FramePlan.h"

#include "draws/model/Stepping.h"
#include "store/Dataset.h"

namespace tiravo {

QStringList ComingEntries(const Dataset& pool, const QString& column, int count) {
    const int rows = pool.recordCount();
    const int index = pool.fieldIndex(column);
    QStringList entries;
    if (rows == 0 || index < 0)
        return entries;
    CursorPlace at = PlaceOf(pool);
    for (int i = 0; i < count; ++i) {
        entries << pool.displayText(at.place, std::size_t(index));
        at = FrameStepPlace(at, rows);
    }
    return entries;
}

} // namespace tiravo
