#include "draws/model/PoolKeys.h"

#include "draws/model/DrawRecord.h"
#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "store/ColumnRewrite.h"
#include "store/Connection.h"
#include "store/TableView.h"
#include "store/WriteScope.h"

namespace tiravo {

void ReshufflePool(TableView& pool, Random& random) {
    // The rows a walk in Cod order would meet, all of them written by one
    // statement and kept only whole.
    WriteScope change(pool.connection(), WriteScope::Keeps::AllOrNothing);
    ColumnRewrite keys(pool, kOrdem);
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys.setText(i, NewReseededOrderKey(random));
    keys.writeUpTo(keys.size());
    change.commit();
    keys.takeIntoView();
}

void ReleaseRows(Dataset& rows, Random& random,
                 const std::vector<ColumnRewrite::FixedValue>& alsoSet) {
    // When the release is all its transaction holds, an error rolls the
    // transaction back; joined to another change, a savepoint undoes the
    // release alone. Either way the view is read again.
    RecordedBulk record(rows, RecordAction::Release, {&rows}, WriteScope::Keeps::AllOrNothing);
    // The keys are made in the order the rows are shown, as a walk from the
    // first row would make them, and written in the order of the file: a
    // pool of millions is put back in seconds.
    std::vector<ColumnRewrite::FixedValue> fixed{{kOk, kTrueText}};
    fixed.insert(fixed.end(), alsoSet.begin(), alsoSet.end());
    ColumnRewrite keys(rows, kOrdem, {}, fixed, ColumnRewrite::Undo::ReadViewAgain);
    for (int place = 0; place < rows.recordCount(); ++place)
        keys.setText(keys.indexOfPlace(place), NewReseededOrderKey(random));
    keys.writeUpTo(keys.size());
    record.commit();
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
    const WriteScope change(view.connection(), WriteScope::Keeps::WhatWasWritten, {&view});
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
