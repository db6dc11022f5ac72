#include "draws/model/Stepping.h"

#include "store/Dataset.h"

namespace tiravo {

void SkipStep(Dataset& pool) {
    pool.next();
    if (pool.eof())
        pool.first();
}

void SkipSteps(Dataset& pool, int count) {
    for (int i = 0; i < count; ++i)
        SkipStep(pool);
}

void FrameStep(Dataset& pool) {
    if (pool.eof())
        pool.first();
    else
        pool.next();
}

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

} // namespace tiravo
