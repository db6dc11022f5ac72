#pragma once

namespace tiravo {

class Connection;

// Runs a bulk loop in one transaction: one commit for the whole loop instead
// of one per row. Rows posted before an error stay posted, as they would
// without the batch, so the transaction is committed however the scope ends;
// a commit that fails outside an error in flight is reported. Batches nest;
// the outermost one owns the transaction.
class Batch {
public:
    explicit Batch(Connection& connection);
    ~Batch() noexcept(false);
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

private:
    Connection& connection_;
    int unwinding_;
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
