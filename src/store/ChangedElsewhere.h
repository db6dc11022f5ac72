#pragma once

#include <vector>

namespace tiravo {

class Dataset;

// Two copies of the program may have one file open. A view shows the file as
// it was when it was read; before a command picks or walks its rows, the
// views it relies on are read again if the other copy has committed since.
// With one copy nothing is read: the test is one statement per view.

// Reads the view's rows from the file again, whatever it held.
void ReadAgain(Dataset& view);

// Reads each open view of `views` that another connection's commit has made
// out of date, unless a row of it is being edited. Answers whether any was.
bool ReadAgainIfChangedElsewhere(const std::vector<Dataset*>& views);

// The same for a command on the row the operator chose in `chosen`: after
// reading it again the cursor goes back to that row, found by its key.
// Answers false when the row is no longer in the view; `others` are read
// again all the same.
bool ReadAgainKeepingChosenRow(Dataset& chosen, const std::vector<Dataset*>& others);

} // namespace tiravo
