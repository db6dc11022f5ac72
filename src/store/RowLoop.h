#pragma once

#include <QString>

#include <functional>

namespace tiravo {

class Dataset;

// How a bulk command walks the rows it changes.
enum class RowWalk {
    FromFirst,   // First, then Next after each row until the end of the data
    FromCurrent, // the same from wherever the cursor stands
    UntilEmpty,  // always the current row: each post takes it out of the view
};

// Edits the current row, lets `write` set its columns and posts it. A write or
// post that fails drops the edit before the error goes on, so that the next
// move of the cursor cannot store half a change.
void EditRow(Dataset& rows, const std::function<void(Dataset&)>& write);

// EditRow for a row that another program on the same file may change
// meanwhile: the row is written only while the file still holds, in `column`,
// the value this view read. Answers false, with nothing written and the edit
// dropped, when it does not.
bool EditRowIfStill(Dataset& rows, const QString& column,
                    const std::function<void(Dataset&)>& write);

// Edits each row the walk meets, lets `write` set its columns and posts it, in
// one transaction.
void EditEachRow(Dataset& rows, RowWalk walk, const std::function<void(Dataset&)>& write);

} // namespace tiravo
