#include "draws/model/Stepping.h"

#include "store/Dataset.h"

namespace tiravo {

CursorPlace PlaceOf(const Dataset& pool) {
    return {pool.recNo() < 0 ? 0 : pool.recNo(), pool.eof()};
}

namespace {

// Next: with the end flag set it does nothing; from the last row it only sets
// the flag.
CursorPlace NextPlace(CursorPlace from, int rows) {
    if (from.atEnd)
        return from;
    if (from.place + 1 < rows)
        return {from.place + 1, false};
    return {from.place, true};
}

CursorPlace FirstPlace(int rows) {
    return {0, rows == 0};
}

} // namespace

CursorPlace SkipStepPlace(CursorPlace from, int rows) {
    const CursorPlace next = NextPlace(from, rows);
    return next.atEnd ? FirstPlace(rows) : next;
}

CursorPlace FrameStepPlace(CursorPlace from, int rows) {
    return from.atEnd ? FirstPlace(rows) : NextPlace(from, rows);
}

void PlaceCursor(Dataset& pool, CursorPlace place) {
    // Landing on a row clears the end flag; a step from the last row sets it
    // again and leaves the rest as it was.
    pool.moveTo(place.place);
    if (place.atEnd)
        pool.next();
}

} // namespace tiravo
