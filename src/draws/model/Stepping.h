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

} // namespace tiravo
