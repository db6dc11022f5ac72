#pragma once

#include "store/ColumnRewrite.h"

#include <QString>

#include <functional>
#include <vector>

namespace tiravo {

class Dataset;
class Random;
class TableView;

// The bulk loops that give pool rows new order keys, each in one write scope.
// The reshuffle and the release write a whole column of keys at once, and
// store it whole or not at all; a view with a hook before its posts, which
// would have to see each row, is refused by them. The key renewal posts row
// by row: rows stored before an error stay stored, unless the error cost the
// whole transaction, and then the view is read again. A row whose post fails
// is never left in editing, where the next move would post it.

// Gives every row of the pool view, in Cod order, a key built from fresh
// entropy, and sorts the view by its keys again; the cursor goes to the first
// row. A draw makes its keys itself, while its frames are shown (DrawWork).
void ReshufflePool(TableView& pool, Random& random);

// Makes every row of `rows`, from the first, available again, each with a
// freshly seeded key: a key that once won sits where the draw lands, so a
// winner put back with it would be likelier to win again. `alsoSet` is
// what else a pool resets on release. One transaction: all of the rows or
// none of them.
void ReleaseRows(Dataset& rows, Random& random,
                 const std::vector<ColumnRewrite::FixedValue>& alsoSet = {});

// "Liberar Todos" over the pool view itself: the view is switched to
// `everyRowFilter`, which shows every row to put back, and those rows are
// released. Answers false, with the view back on the available entries, when
// there is no row at all. The view keeps `everyRowFilter` for the caller to
// switch back, except after an error: a pool view left showing drawn entries
// would let the next draw pick one of them again.
bool ReleaseThroughFilter(TableView& pool, const QString& everyRowFilter, Random& random,
                          const std::vector<ColumnRewrite::FixedValue>& alsoSet = {});

// A new key for every row of the view, from the first, continuing the
// generator's sequence.
void RenewOrderKeys(Dataset& view, Random& random);

} // namespace tiravo
