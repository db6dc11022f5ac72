#include "draws/model/PoolKeys.h"

#include "draws/model/DrawRecord.h"
#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "store/Batch.h"
#include "store/ColumnRewrite.h"
#include "store/TableView.h"
#include "store/Transaction.h"

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

void ReleaseRows(Dataset& rows, Random& random, const std::function<void(Dataset&)>& alsoWrite) {
    const RecordedBulk record(rows, RecordAction::Release, {&rows});
    try {
        for (rows.first(); !rows.eof(); rows.next()) {
            rows.edit();
            rows.field(kOk).setAsString(kTrueText);
            rows.field(kOrdem).setAsString(NewReseededOrderKey(random));
            if (alsoWrite)
                alsoWrite(rows);
            rows.post();
        }
    } catch (...) {
        rows.cancel();
        throw;
    }
}

bool ReleaseThroughFilter(TableView& pool, const QString& everyRowFilter, Random& random,
                          const std::function<void(Dataset&)>& alsoWrite) {
    pool.first();
    pool.setFilter(everyRowFilter);
    if (pool.recordCount() == 0) {
        pool.setFilter(kAvailableFilter);
        return false;
    }
    try {
        ReleaseRows(pool, random, alsoWrite);
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
