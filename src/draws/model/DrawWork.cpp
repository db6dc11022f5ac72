#include "draws/model/DrawWork.h"

#include "draws/model/AvailableEntries.h"
#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "store/ColumnRewrite.h"
#include "store/Connection.h"
#include "store/TableView.h"
#include "store/WriteScope.h"

#include <algorithm>
#include <optional>

namespace tiravo {

namespace {

// Keys built and written per slice: a few milliseconds of work, so that a
// slice never holds a frame of 70 ms on the screen for long.
constexpr std::size_t kKeysPerSlice = 2048;
// Entries read per slice for the record's fingerprint: reading is cheaper
// than writing a key.
constexpr std::size_t kEntriesPerSlice = 8192;

} // namespace

struct DrawWork::Reshuffle {
    TableView& pool;
    int winnerPlace;
    Random& random;
    std::optional<WriteScope> transaction;
    std::optional<ColumnRewrite> keys;
    bool winnerGone = false;
    // What follows the last key, a slice each.
    enum class Then { Order, Flush, Sync, Done } then = Then::Order;

    bool done() const { return winnerGone || then == Then::Done; }
};

DrawWork::DrawWork(Pause& pause, Connection& connection) : pause_(pause), connection_(connection) {
    pause_.setWork(this);
}

DrawWork::~DrawWork() {
    pause_.setWork(nullptr);
    rollback();
}

void DrawWork::reshuffle(TableView& pool, int winnerPlace, Random& random) {
    reshuffle_.reset(new Reshuffle{pool, winnerPlace, random, {}, {}, false});
}

void DrawWork::readAvailable(TableView& pool) {
    pickPool_ = PoolOfTable(pool.table());
}

const AvailableEntries* DrawWork::availableBefore() const {
    if (reshuffle_ && (!reshuffle_->transaction || reshuffle_->transaction->done()))
        return nullptr;
    return before_ ? &*before_ : nullptr;
}

bool DrawWork::readEntries() {
    if (!entries_ || before_)
        return false;
    if (!entries_->readMore(kEntriesPerSlice))
        before_ = entries_->result();
    return true;
}

bool DrawWork::workUntil(Deadline deadline) {
    if (failure_)
        return false;
    try {
        while (slice())
            if (std::chrono::steady_clock::now() >= deadline)
                return true;
    } catch (...) {
        // The frames go on; the error ends the draw once they are shown.
        failure_ = std::current_exception();
    }
    return false;
}

bool DrawWork::slice() {
    if (!logCopied_) {
        logCopied_ = true;
        // Not inside a transaction: the log is copied only outside one.
        if (!connection_.inTransaction())
            connection_.checkpoint();
        if (pickPool_ && !reshuffle_)
            entries_.emplace(connection_, *pickPool_);
        return reshuffle_ || entries_;
    }
    if (!reshuffle_)
        return readEntries();
    if (reshuffle_->done())
        return false;
    Reshuffle& r = *reshuffle_;
    if (!r.keys) {
        r.transaction.emplace(connection_, WriteScope::Keeps::AllOrNothing);
        // Another program that drew the winner first makes this draw store
        // nothing; no key is made for it. From here on the transaction keeps
        // every other program from changing the file.
        if (!r.pool.stillHolds(r.winnerPlace, kOk)) {
            r.winnerGone = true;
            return false;
        }
        r.keys.emplace(r.pool, kOrdem, r.winnerPlace);
        // The keys change none of the entries, and the transaction keeps
        // every other program out: what is read now is what the winner's
        // write would read. A view that missed another program's change is
        // what the draw walks, and its record row names that.
        if (const PoolDescription* described = PoolOfTable(r.pool.table())) {
            if (r.pool.changedElsewhere())
                before_ = EntriesOfView(r.pool, *described);
            else
                entries_.emplace(connection_, *described);
        }
        return true;
    }
    if (readEntries())
        return true;
    if (r.keys->written() == r.keys->size()) {
        switch (r.then) {
        case Reshuffle::Then::Order:
            r.keys->prepareOrder();
            r.then = Reshuffle::Then::Flush;
            return true;
        case Reshuffle::Then::Flush:
            // The commit then writes and waits for the winner's page alone.
            connection_.flushChanges();
            r.then = Reshuffle::Then::Sync;
            return true;
        case Reshuffle::Then::Sync:
            connection_.syncLog();
            r.then = Reshuffle::Then::Done;
            return false;
        case Reshuffle::Then::Done:
            return false;
        }
    }
    const std::size_t end = std::min(r.keys->written() + kKeysPerSlice, r.keys->size());
    for (std::size_t i = r.keys->written(); i < end; ++i)
        r.keys->setText(i, NewReseededOrderKey(r.random));
    r.keys->writeUpTo(end);
    return true;
}

void DrawWork::finish() {
    if (failure_)
        std::rethrow_exception(failure_);
    while (slice()) {
    }
}

void DrawWork::commit() {
    if (!reshuffle_ || !reshuffle_->transaction || reshuffle_->transaction->done())
        return;
    Reshuffle& r = *reshuffle_;
    // The copying of the log into the file waits for the next draw's pauses.
    connection_.setAutoCheckpoint(false);
    try {
        r.transaction->commit();
    } catch (...) {
        connection_.setAutoCheckpoint(true);
        throw;
    }
    connection_.setAutoCheckpoint(true);
    if (r.keys)
        r.keys->takeIntoView();
}

void DrawWork::rollback() noexcept {
    if (!reshuffle_ || !reshuffle_->transaction || reshuffle_->transaction->done())
        return;
    reshuffle_->transaction->rollback();
    if (!reshuffle_->keys)
        return;
    if (reshuffle_->keys->viewReadAgain()) {
        // Read again inside the transaction, the view shows keys that the
        // file no longer holds.
        try {
            reshuffle_->pool.close();
            reshuffle_->pool.open();
        } catch (...) {
            // Closed is still nothing the file does not hold.
        }
        return;
    }
    // The pool's rows took keys that the file no longer holds; the cursor
    // stays, so that the next draw steps from where this one stood.
    reshuffle_->keys->restoreView();
}

} // namespace tiravo
