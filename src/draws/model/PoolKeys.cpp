#include "draws/model/PoolKeys.h"

#include "draws/model/DrawRecord.h"
#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "store/Batch.h"
#include "store/ColumnRewrite.h"
#include "store/Connection.h"
#include "store/TableView.h"
#include "store/Transaction.h"

#include <optional>

namespace tiravo {

namespace {

// A post per row, for a view whose hook must see each row.
void ReshuffleRowByRow(TableView& pool, Random& random) {
    const QString sortKey = pool.sortKey();
    Batch batch(pool.connection(), {&pool});
    // The cursor stays where the store puts it: the walk starts there.
    pool.setSortKey(kCod);
    try {
        while (!pool.eof()) {
            pool.edit();
            pool.field(kOrdem).setAsString(NewReseededOrderKey(random));
            pool.next(); // stores the edit
        }
    } catch (...) {
        pool.cancel();
        pool.setSortKey(sortKey);
        throw;
    }
    pool.setSortKey(sortKey);
}

} // namespace

void ReshufflePool(TableView& pool, Random& random) {
    if (pool.beforePost) {
        ReshuffleRowByRow(pool, random);
        return;
    }
    // The rows a walk in Cod order would meet, all of them written by one
    // statement and kept only whole.
    Transaction transaction(pool.connection());
    ColumnRewrite keys(pool, kOrdem);
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys.setText(i, NewReseededOrderKey(random));
    keys.writeUpTo(keys.size());
    transaction.commit();
    keys.takeIntoView();
}

namespace {

void ReleaseRowByRow(Dataset& rows, Random& random,
                     const std::vector<ColumnRewrite::FixedValue>& alsoSet) {
    try {
        for (rows.first(); !rows.eof(); rows.next()) {
            rows.edit();
            rows.field(kOk).setAsString(kTrueText);
            rows.field(kOrdem).setAsString(NewReseededOrderKey(random));
            for (const ColumnRewrite::FixedValue& fixed : alsoSet)
                rows.field(fixed.column).setAsString(fixed.text);
            rows.post();
        }
    } catch (...) {
        rows.cancel();
        throw;
    }
}

// The rows of a view after a savepoint was undone are what the file holds.
void UndoAndReadAgain(Transaction& savepoint, Dataset& rows) noexcept {
    savepoint.rollback();
    try {
        rows.close();
        rows.open();
    } catch (...) {
        // Closed is still nothing the file does not hold.
    }
}

void RollBack(Connection& connection) noexcept {
    try {
        if (connection.inTransaction())
            connection.execute(QStringLiteral("ROLLBACK"));
    } catch (...) {
    }
}

} // namespace

void ReleaseRows(Dataset& rows, Random& random,
                 const std::vector<ColumnRewrite::FixedValue>& alsoSet) {
    RecordedBulk record(rows, RecordAction::Release, {&rows});
    if (rows.beforePost) {
        ReleaseRowByRow(rows, random, alsoSet);
        return;
    }
    // The keys are made in the order the rows are shown, as a walk from the
    // first row would make them, and written in the order of the file: a
    // pool of millions is put back in seconds, whole or not at all.
    std::vector<ColumnRewrite::FixedValue> fixed{{kOk, kTrueText}};
    fixed.insert(fixed.end(), alsoSet.begin(), alsoSet.end());
    // A savepoint would keep in memory a copy of every page it changes,
    // which for a pool of millions is the whole file: when the release is
    // all its transaction holds, an error rolls the transaction back
    // instead. Either way the view is read again.
    std::optional<Transaction> savepoint;
    if (!record.ownsTransaction())
        savepoint.emplace(rows.connection());
    ColumnRewrite keys(rows, kOrdem, {}, fixed, ColumnRewrite::Undo::ReadViewAgain);
    try {
        for (int place = 0; place < rows.recordCount(); ++place)
            keys.setText(keys.indexOfPlace(place), NewReseededOrderKey(random));
        keys.writeUpTo(keys.size());
        if (savepoint)
            savepoint->commit();
    } catch (...) {
        if (savepoint) {
            UndoAndReadAgain(*savepoint, rows);
            record.undone();
        } else {
            // The batch sees its transaction gone and reads the view again.
            RollBack(rows.connection());
        }
        throw;
    }
    keys.takeIntoView();
}

bool ReleaseThroughFilter(TableView& pool, const QString& everyRowFilter, Random& random,
                          const std::vector<ColumnRewrite::FixedValue>& alsoSet) {
    pool.first();
    pool.setFilter(everyRowFilter);
    if (pool.recordCount() == 0) {
        pool.setFilter(kAvailableFilter);
        return false;
    }
    try {
        ReleaseRows(pool, random, alsoSet);
    } catch (...) {
        pool.cancel();
        pool.setFilter(kAvailableFilter);
        throw;
    }
    return true;
}

void RenewOrderKeys(Dataset& view, Random& random) {
    Batch batch(view.connection(), {&view});
    try {
        for (view.first(); !view.eof(); view.next()) {
            const QString key = NewOrderKey(random);
            view.edit();
            view.field(kOrdem).setAsString(key);
            view.post();
        }
    } catch (...) {
        view.cancel();
        throw;
    }
}

} // namespace tiravo
