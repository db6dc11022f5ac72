#pragma once

namespace tiravo {

class Dataset;

// The two ways a draw walks its pool view, one row at a time, from wherever
// the cursor stands.

// Next, and from the last row straight round to the first.
void SkipStep(Dataset& pool);
void SkipSteps(Dataset& pool, int count);

// Next, but from the last row only the end flag is set and the cursor stays,
// so an animation shows the last entry twice before it wraps to the first.
void FrameStep(Dataset& pool);

// Where a view's cursor stands: its place among the rows shown and its end
// flag. The steps over places say beforehand where a walk will land, without
// moving the cursor.
struct CursorPlace {
    int place = 0;
    bool atEnd = false;
};

CursorPlace PlaceOf(const Dataset& pool);
CursorPlace SkipStepPlace(CursorPlace from, int rows);
CursorPlace FrameStepPlace(CursorPlace from, int rows);

} // namespace tiravo
