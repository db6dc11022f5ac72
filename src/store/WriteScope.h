#pragma once

#include <initializer_list>
#include <vector>

namespace tiravo {

class Connection;
class Dataset;

// The record row a change carries. The store knows only that there is one:
// the scope appends it inside the change's transaction, just before the
// change is stored, so that a crash or an error leaves both or neither.
class ChangeRecord {
public:
    virtual void append() = 0;

protected:
    // Never deleted through this interface, so that a change whose
    // ending may throw can carry one.
    ~ChangeRecord() = default;
};

// A change of the file, from the write lock to the commit. Every write of
// the program runs inside one, and this is the one place that begins,
// commits and rolls back the file's transactions.
//
// The outermost scope of a connection takes the write lock at once (waiting
// for another program if need be, rather than failing half way through),
// and reads again the views named to it that another program's commit has
// made out of date, so that the change walks the rows the file holds. A
// scope begun inside another joins its transaction; which of the two it is
// is its level, fixed when it begins.
//
// Some errors (a full disk, an I/O error, lack of memory) make the engine
// roll the whole transaction back on its own. Whenever an error costs the
// scope its writes, the views named to it are read again from the file, so
// that no window goes on showing rows the file does not hold.
class WriteScope {
public:
    // What the scope keeps of its writes when an error ends it.
    enum class Keeps {
        // The rows written before the error, as writing them one by one
        // would: a bulk loop over rows. The scope is stored however it ends;
        // commit() only says so early.
        WhatWasWritten,
        // Nothing: the change is stored by commit() whole, or not at all.
        // Joined to an enclosing scope, it is a savepoint of that scope's
        // transaction.
        AllOrNothing,
    };
    enum class Level { Outermost, Nested };

    WriteScope(Connection& connection, Keeps keeps, std::initializer_list<Dataset*> showing = {},
               ChangeRecord* record = nullptr);
    ~WriteScope() noexcept(false);
    WriteScope(const WriteScope&) = delete;
    WriteScope& operator=(const WriteScope&) = delete;

    Level level() const { return level_; }
    // Whether this scope, or one it is joined to, carries a record row: the
    // writes made meanwhile are part of that recorded change.
    bool recorded() const;
    // Whether the connection has a recorded change open.
    static bool RecordedChangeOpen(const Connection& connection);

    // Appends the record row and stores the change; nothing is left to do
    // when the scope ends. On failure everything the scope can undo is
    // undone, its views are read again and the error goes on.
    void commit();
    // Undoes the scope's writes now, for a change given up without an
    // error; the caller knows what its views show. A scope that keeps what
    // was written cannot take its rows apart from those of the scope it
    // joined, so it undoes the whole transaction.
    void rollback() noexcept;
    bool done() const { return done_; }
    // Whether the engine gave the transaction up after an error. A loop
    // that catches the error of one row and goes on must ask after each:
    // the rows after it would be written one by one outside any
    // transaction while the rows before it are already lost.
    bool lost() const;

private:
    friend class Connection;

    void undo(bool readViewsAgain) noexcept;
    void readViewsAgain() noexcept;
    void leave() noexcept;
    // The connection closed: the engine has ended the transaction itself.
    void forget() noexcept;

    Connection& connection_;
    WriteScope* enclosing_;
    Keeps keeps_;
    Level level_;
    std::vector<Dataset*> views_;
    ChangeRecord* record_;
    int unwinding_;
    bool done_ = false;
};

} // namespace tiravo
