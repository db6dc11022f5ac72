#include "draws/model/FramePlan.h"

#include "store/Dataset.h"

namespace tiravo {

QStringList ComingEntries(const Dataset& pool, const QString& column, int count) {
    const int rows = pool.recordCount();
    const int index = pool.fieldIndex(column);
    QStringList entries;
    if (rows == 0 || index < 0)
        return entries;
    int place = pool.recNo();
    bool atEnd = pool.eof();
    for (int i = 0; i < count; ++i) {
        entries << pool.displayText(place, std::size_t(index));
        // FrameStep over places: from the last row only the end flag is set,
        // and the step after it wraps round to the first row.
        if (atEnd) {
            place = 0;
            atEnd = false;
        } else if (place + 1 < rows) {
            ++place;
        } else {
            atEnd = true;
        }
    }
    return entries;
}

} // namespace tiravo
