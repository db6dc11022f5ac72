#pragma once

#include <initializer_list>
#include <vector>

namespace tiravo {

class Connection;
class Dataset;

// Runs a bulk loop in one transaction: one commit for the whole loop instead
// of one per row. The views named to it that another program's commit made
// out of date are read again once the transaction holds the write lock. Rows posted before an error
// stay posted, as they would without the batch, so the transaction is committed however the scope
// ends; a commit that fails outside an error in flight is reported. Batches nest; the outermost one
// owns the transaction.
//
// Some errors (a full disk, an I/O error, lack of memory) make the engine
// roll the whole transaction back, rows posted before them included. The
// views that show the loop's rows are named to the batch: when its rows are
// lost that way, or the commit fails, they are read again from the file, so
// that no window goes on showing rows the file does not hold.
class Batch {
public:
    explicit Batch(Connection& connection, std::initializer_list<Dataset*> showingRows = {});
    ~Batch() noexcept(false);
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

    // Whether the transaction is gone. A loop that catches the error of one
    // row and goes on must ask after each: the rows after it would be
    // written one by one outside any transaction while the rows before it
    // are already lost, so the loop ends with that error instead.
    bool lost() const;
    // Whether this batch began the transaction, rather than joining one.
    bool ownsTransaction() const { return owns_; }

private:
    void rereadViews() noexcept;

    Connection& connection_;
    std::vector<Dataset*> views_;
    int unwinding_;
    bool owns_ = false;
};

// Undoes the statements of one row that takes several, when that row fails,
// and keeps the rest of the batch.
class Savepoint {
public:
    explicit Savepoint(Connection& connection);
    ~Savepoint();
    Savepoint(const Savepoint&) = delete;
    Savepoint& operator=(const Savepoint&) = delete;

    void release();

private:
    Connection& connection_;
    bool done_ = false;
};

} // namespace tiravo
