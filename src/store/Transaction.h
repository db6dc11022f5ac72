#pragma once

namespace tiravo {

class Connection;

// All of a change or nothing of it: unlike a Batch, which keeps the rows
// posted before an error, this one undoes everything unless commit() was
// reached. A draw stores its winner and every new key of its pool in one,
// so that a crash or an error never leaves a pool half reshuffled. Inside a
// Batch it is a savepoint of that batch's transaction; a Batch begun inside
// it joins it.
class Transaction {
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    // Makes the change durable. On failure everything is undone and the
    // error goes on.
    void commit();
    // Undoes everything now; nothing is left to undo afterwards.
    void rollback() noexcept;
    bool done() const { return done_; }

private:
    void leave() noexcept;

    Connection& connection_;
    bool outermost_;
    bool done_ = false;
};

} // namespace tiravo
