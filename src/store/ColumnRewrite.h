#pragma once

#include "store/FlatColumn.h"
#include "store/Value.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace tiravo {

class Dataset;

// New texts for one column of every row a view shows, for loops too large
// for a post per row (the reshuffle of a pool of a million). The rows are
// walked in ascending Cod, as a view sorted by Cod would walk them; the
// program sets each row's text, and the file and the view's rows take them a
// slice at a time, one statement per slice. The view keeps its order and its
// cursor until it is told to take the rewrite; whoever undoes the writes in
// the file gives the rows their old texts back with restoreView().
//
// The rows are what the view shows when the rewrite begins; no row may join,
// leave or be edited meanwhile, except the one left out. Other columns may
// take one value for every row with the same statements. A view with a hook
// before its posts cannot be rewritten this way: each row must pass its hook.
class ColumnRewrite {
public:
    // A column that every row rewritten takes the same value of, given as
    // the text a field would be set to.
    struct FixedValue {
        QString column;
        QString text;
    };

    // What becomes of the view's rows when the writes are undone: they get
    // their old texts back from restoreView(), which keeps a word per row
    // and column for them, or whoever undoes the writes reads the view again.
    enum class Undo { RestoreView, ReadViewAgain };

    // Every shown row but the one at `leftOut` (a place of the view).
    ColumnRewrite(Dataset& view, const QString& column, std::optional<int> leftOut = {},
                  const std::vector<FixedValue>& alsoSet = {}, Undo undo = Undo::RestoreView);

    std::size_t size() const { return size_; }
    std::size_t written() const { return written_; }
    // Which of the rows, in Cod order, the view shows at `place`.
    std::size_t indexOfPlace(int place) const;

    // The text of the `i`th row in Cod order, before it is written.
    void setText(std::size_t i, QString text);
    // Writes the texts of the rows from written() up to `end`, one
    // statement for each slice of them. A row that another program deleted
    // is not written.
    void writeUpTo(std::size_t end);
    // Works out, once every row is written, the order the view will take;
    // a view sorted by the column then needs no sort of its own.
    void prepareOrder();
    // The view orders its rows again, by the texts written; its cursor goes
    // to the first row.
    void takeIntoView();
    // The rows written get back the texts they held before (with
    // Undo::RestoreView).
    void restoreView() noexcept;
    // Whether the view has read its rows again since the rewrite began (an
    // error met on the way closes and reopens it): the rows the rewrite
    // held are gone, and the view shows what the file held at that moment.
    bool viewReadAgain() const;

private:
    Dataset& view_;
    std::uint64_t reading_;
    std::size_t column_;
    int width_;
    Undo undo_;
    // Lets go of what the rewrite held once the view has taken it.
    void release();
    // One statement for the rows from written() up to `end`.
    void writeSlice(std::size_t end);

    std::size_t size_ = 0;
    std::vector<std::size_t> rows_; // snapshot rows, in ascending Cod
    bool everyRowInOrder_ = false;  // rows_ is every row of the snapshot, in its order
    std::vector<std::int64_t> keys_;
    // The texts set and not yet written, from the row written() on, a word
    // each: a release sets those of every row before the first is written.
    FlatColumn pending_;
    std::size_t pendingFirst_ = 0;                // the cell of pending_ that row written() takes
    mutable std::vector<std::size_t> placeIndex_; // indexOfPlace() of each place, once asked
    std::vector<std::pair<std::size_t, Value>> fixed_; // column, value
    FlatColumn old_;                                   // what the rows written held before
    FlatColumn oldFixed_; // the same of the fixed columns, row after row
    std::size_t written_ = 0;
    std::optional<std::vector<std::size_t>> order_;
};

} // namespace tiravo
