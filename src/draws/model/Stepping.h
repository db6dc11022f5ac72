#pragma once

namespace tiravo {

class Dataset;

// The two ways a draw walks its pool view, one row at a time, from wherever
// the cursor stands:
// - a skip step goes to the next row, and from the last row straight round
//   to the first;
// - a frame step goes to the next row too, but from the last row it only sets
//   the end flag and the cursor stays, so that an animation shows the last
//   entry twice before it wraps to the first.
// The walk is worked out over places (DrawPlan.h), and the cursor is put
// where it ends.

// Where a view's cursor stands: its place among the rows shown and its end
// flag.
struct CursorPlace {
    int place = 0;
    bool atEnd = false;

    bool operator==(const CursorPlace&) const = default;
};

CursorPlace PlaceOf(const Dataset& pool);
CursorPlace SkipStepPlace(CursorPlace from, int rows);
CursorPlace FrameStepPlace(CursorPlace from, int rows);

// Puts the cursor of `pool` at `place` as a walk of at least one step over
// its rows leaves it: on the row, with the end flag as given, and with the
// flag of the first row set only on the first row (or, with the end flag, on
// a pool of one row).
void PlaceCursor(Dataset& pool, CursorPlace place);

} // namespace tiravo
