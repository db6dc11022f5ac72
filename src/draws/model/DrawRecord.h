#pragma once

#include "draws/model/RecordActions.h"
#include "draws/model/RecordChain.h"
#include "store/Value.h"
#include "store/WriteScope.h"

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <optional>

namespace tiravo {

struct AvailableEntries;
class BatchRecord;
class Connection;
class Dataset;
struct PoolDescription;

// The changes of a pool that the record of draws knows. Each is one write
// scope whose record row goes into the same transaction as the change: a
// crash, a full disk or another error leaves both or neither. The writes
// made while one is open are its own: an entry edit made by it is not
// recorded again.

// One entry of a pool changing state. Opening it takes the write lock and
// reads the pool's available entries, their count and fingerprint, as they
// are before the change, unless `before` holds them still: a draw reads them
// while its frames are on the screen. `showing` are the views that show the
// change: when the change is undone for want of its record row, they are
// read again. A move that ends without stored() leaves nothing of itself.
class RecordedMove final : private ChangeRecord {
public:
    RecordedMove(Dataset& pool, std::initializer_list<Dataset*> showing,
                 const AvailableEntries* before = nullptr);
    // For a change that leaves the same entries available (an entry's text
    // edited): the row names their count without a fingerprint.
    struct CountOnly {};
    RecordedMove(Dataset& pool, std::initializer_list<Dataset*> showing, CountOnly);

    // The row `item` (its Cod) was written and holds its entry still: the
    // record row follows, naming the entry, and for a draw its place, as the
    // file now holds them, whatever text the view was given. A draw of a
    // batch names the batch, and the batch learns the row.
    void stored(RecordAction action, std::int64_t item, BatchRecord* batch = nullptr);
    // The same for a row that no longer holds its entry (made a free slot, or
    // deleted): the record row names `entry`, which it held (entryNow()).
    void storedWithout(RecordAction action, std::int64_t item, const Value& entry);
    // The entry the row `item` holds in the file now, inside the move's
    // transaction: read before a write that takes it out of the row.
    Value entryNow(std::int64_t item);

private:
    void store(RecordAction action, std::int64_t item, const Value& entry, const Value& place);
    void append() override;

    Connection& connection_;
    const PoolDescription* pool_;
    std::int64_t available_ = 0;
    std::optional<QString> fingerprint_;
    std::optional<RecordRow> row_;
    BatchRecord* batch_ = nullptr;
    WriteScope scope_; // last: it begins before the counts are read, and ends first
};

// A bulk action over a pool: one record row with the count of rows it wrote,
// appended when the action is stored, as long as it wrote any. When the row
// cannot be appended, the whole action is undone with it. An action that
// keeps what it wrote is stored however it ends; one that is all or nothing
// only by commit().
class RecordedBulk final : private ChangeRecord {
public:
    RecordedBulk(Dataset& rows, RecordAction action, std::initializer_list<Dataset*> showing = {},
                 WriteScope::Keeps keeps = WriteScope::Keeps::WhatWasWritten);
    // For a statement over the pool table `table`.
    RecordedBulk(Connection& connection, const QString& table, RecordAction action,
                 std::initializer_list<Dataset*> showing = {},
                 WriteScope::Keeps keeps = WriteScope::Keeps::WhatWasWritten);

    void commit() { scope_.commit(); }
    // Whether the engine gave the action's transaction up after an error.
    bool lost() const { return scope_.lost(); }

private:
    void append() override;

    Connection& connection_;
    const PoolDescription* pool_;
    RecordAction action_;
    std::int64_t available_ = 0;
    std::int64_t changesBefore_ = 0;
    WriteScope scope_; // last, as above
};

} // namespace tiravo
