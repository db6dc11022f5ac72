#include "draws/model/DrawRecord.h"

#include "draws/model/AvailableEntries.h"
#include "draws/model/DrawBatch.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolRowNow.h"
#include "draws/model/RecordWriter.h"
#include "store/Connection.h"
#include "store/Dataset.h"

namespace tiravo {

namespace {

QString EntryText(const Value& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return QString::number(*number);
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    return {};
}

} // namespace

RecordedMove::RecordedMove(Dataset& pool, std::initializer_list<Dataset*> showing,
                           const AvailableEntries* before)
    : connection_(pool.connection()), pool_(PoolOfTable(pool.table())),
      scope_(pool.connection(), WriteScope::Keeps::AllOrNothing, showing, this) {
    if (!pool_)
        return;
    // Entries read before this transaction took the write lock hold only
    // while no other program has committed since. The row names the entries
    // the change was made over: a view that missed another program's change
    // is what a draw walked, not the file.
    const bool stillHold =
        before && before->table == pool_->table && before->dataVersion == connection_.dataVersion();
    const AvailableEntries entries = stillHold ? *before
                                     : pool.changedElsewhere()
                                         ? EntriesOfView(pool, *pool_)
                                         : AvailableEntriesReading(connection_, *pool_).readAll();
    available_ = entries.count;
    fingerprint_ = entries.fingerprint;
}

RecordedMove::RecordedMove(Dataset& pool, std::initializer_list<Dataset*> showing, CountOnly)
    : connection_(pool.connection()), pool_(PoolOfTable(pool.table())),
      scope_(pool.connection(), WriteScope::Keeps::AllOrNothing, showing, this) {
    if (pool_)
        available_ = CountAvailable(connection_, *pool_);
}

void RecordedMove::stored(RecordAction action, std::int64_t item, BatchRecord* batch) {
    batch_ = batch;
    std::optional<PoolRowNow> row;
    if (pool_)
        row = ReadPoolRow(connection_, *pool_, item);
    store(action, item, row ? row->entry : Value(), row ? row->place : Value());
}

void RecordedMove::storedWithout(RecordAction action, std::int64_t item, const Value& entry) {
    store(action, item, entry, Value());
}

Value RecordedMove::entryNow(std::int64_t item) {
    if (!pool_)
        return {};
    const std::optional<PoolRowNow> row = ReadPoolRow(connection_, *pool_, item);
    return row ? row->entry : Value();
}

void RecordedMove::store(RecordAction action, std::int64_t item, const Value& entry,
                         const Value& place) {
    if (pool_) {
        RecordRow row;
        row.pool = pool_->name;
        row.action = RecordActionText(action);
        row.item = item;
        row.entry = EntryText(entry);
        if (IsDrawAction(row.action))
            if (const auto* number = std::get_if<std::int64_t>(&place))
                row.place = *number;
        row.available = available_;
        row.fingerprint = fingerprint_;
        if (batch_)
            row.count = batch_->first();
        row_ = std::move(row);
    }
    scope_.commit();
}

void RecordedMove::append() {
    if (!row_)
        return;
    if (!batch_) {
        AppendRecordRow(connection_, *row_);
        return;
    }
    // The batch's first row names itself.
    batch_->appended(AppendRecordRow(connection_, *row_,
                                     batch_->first() ? CountIs::AsGiven : CountIs::OwnSequence));
}

RecordedBulk::RecordedBulk(Dataset& rows, RecordAction action,
                           std::initializer_list<Dataset*> showing, WriteScope::Keeps keeps)
    : RecordedBulk(rows.connection(), rows.table(), action, showing, keeps) {}

RecordedBulk::RecordedBulk(Connection& connection, const QString& table, RecordAction action,
                           std::initializer_list<Dataset*> showing, WriteScope::Keeps keeps)
    : connection_(connection), pool_(PoolOfTable(table)), action_(action),
      scope_(connection, keeps, showing, this) {
    if (pool_)
        available_ = CountAvailable(connection_, *pool_);
    changesBefore_ = connection_.totalChangedRows();
}

void RecordedBulk::append() {
    const std::int64_t written = connection_.totalChangedRows() - changesBefore_;
    if (!pool_ || written <= 0)
        return;
    RecordRow row;
    row.pool = pool_->name;
    row.action = RecordActionText(action_);
    row.available = available_;
    row.count = written;
    AppendRecordRow(connection_, std::move(row));
}

} // namespace tiravo
