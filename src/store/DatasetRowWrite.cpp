// The writing of one row: the statements that insert, update and delete it,
// and what a post does around them.
#include "store/Dataset.h"

#include "common/Error.h"
#include "store/Connection.h"
#include "store/LocateIndex.h"

#include <QScopedValueRollback>

namespace tiravo {

namespace {

QString Quoted(const QString& identifier) {
    return u'"' + identifier + u'"';
}

} // namespace

std::size_t Dataset::keyColumn() const {
    const int key = fieldIndex(QStringLiteral("Cod"));
    if (key < 0 || tableName().isEmpty())
        throw Error(QStringLiteral("This data cannot be changed: it names no table and key"));
    return static_cast<std::size_t>(key);
}

const QString& Dataset::writeSql(bool inserting, std::uint64_t columns,
                                 std::optional<std::size_t> guard) {
    QString& sql = writeSql_[{inserting, columns, guard ? static_cast<int>(*guard) : -1}];
    if (!sql.isEmpty())
        return sql;
    QStringList names;
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns & (std::uint64_t{1} << i))
            names << Quoted(columns_[i].name);
    if (inserting) {
        const QStringList marks(names.size(), QStringLiteral("?"));
        sql = names.isEmpty()
                  ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Quoted(tableName()))
                  : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                        .arg(Quoted(tableName()), names.join(u','), marks.join(u','));
    } else {
        sql = QStringLiteral("UPDATE %1 SET %2 = ? WHERE \"Cod\" = ?")
                  .arg(Quoted(tableName()), names.join(QStringLiteral(" = ?, ")));
        // IS, so that a value read as null must still be null.
        if (guard)
            sql += QStringLiteral(" AND %1 IS ?").arg(Quoted(columns_[*guard].name));
    }
    return sql;
}

bool Dataset::write(std::optional<std::size_t> guard) {
    const std::size_t key = keyColumn();
    const bool inserting = state_ == DatasetState::Insert;
    // The columns written are kept as the bits of one word.
    constexpr std::size_t kMaxColumns = 64;
    if (columns_.size() > kMaxColumns)
        throw Error(QStringLiteral("This data cannot be changed: it has %1 columns, and at most "
                                   "%2 can be written")
                        .arg(columns_.size())
                        .arg(kMaxColumns));
    // A new row writes every declared column; an edited one only what changed.
    std::uint64_t columns = 0;
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (i != key && (inserting || dirty_[i]))
            columns |= std::uint64_t{1} << i;
    if (inserting)
        guard.reset();
    if (!inserting && columns == 0)
        return true;
    SqlStatement& statement = connection_.statement(writeSql(inserting, columns, guard));
    int at = 1;
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns & (std::uint64_t{1} << i))
            statement.bind(at++, buffer_[i]);
    if (!inserting) {
        const std::size_t read = shown_[cursor_];
        statement.bind(at++, rows_.value(read, key));
        if (guard)
            statement.bind(at, rows_.value(read, *guard));
    }
    while (statement.step()) {
    }
    statement.reset();
    if (inserting)
        buffer_[key] = connection_.lastInsertedKey();
    else if (connection_.changedRows() == 0) {
        if (guard)
            return false;
        throw Error(QStringLiteral(
            "The row could not be found for updating: another program may have deleted it"));
    }
    return true;
}

void Dataset::post() {
    store(std::nullopt);
}

bool Dataset::postIfStill(const QString& column) {
    const int index = fieldIndex(column);
    if (index < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(column));
    return store(static_cast<std::size_t>(index));
}

bool Dataset::store(std::optional<std::size_t> guard) {
    requireActive();
    if (!editing())
        return true;
    if (beforePost)
        beforePost(*this);
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].required && IsNull(buffer_[i]))
            throw Error(QStringLiteral("Field '%1' must have a value").arg(columns_[i].name));
    const auto writeRow = [this, guard] { return write(guard); };
    const RowWrite kind = state_ == DatasetState::Insert ? RowWrite::Insert : RowWrite::Edit;
    if (!(aroundWrite ? aroundWrite(*this, kind, writeRow) : writeRow()))
        return false;

    const std::size_t row = shown_[cursor_];
    rows_.setValues(row, buffer_);
    alive_[row] = true;
    index_->written(row);
    buffer_.clear();
    dirty_.clear();
    state_ = DatasetState::Browse;
    if (!passes(row))
        removeShownAtCursor();
    else
        emit rowsChanged();
    emit stateChanged();
    return true;
}

void Dataset::deleteRecord() {
    connection_.requireWritable();
    if (aroundWrite && !insideAroundWrite_ && state_ != DatasetState::Insert) {
        // The delete itself is called back from inside the hook.
        const QScopedValueRollback<bool> inside(insideAroundWrite_, true);
        aroundWrite(*this, RowWrite::Delete, [this] {
            deleteRecord();
            return true;
        });
        return;
    }
    requireActive();
    if (state_ == DatasetState::Insert) {
        cancel();
        return;
    }
    cancel();
    if (shown_.empty())
        throw Error(QStringLiteral("Cannot perform this operation on an empty dataset"));
    const std::size_t key = keyColumn();
    const std::size_t row = shown_[cursor_];
    SqlStatement& statement = connection_.statement(
        QStringLiteral("DELETE FROM %1 WHERE \"Cod\" = ?").arg(Quoted(tableName())));
    statement.bind(1, rows_.value(row, key));
    while (statement.step()) {
    }
    statement.reset();
    alive_[row] = false;
    removeShownAtCursor();
}

bool Dataset::stillHolds(int place, const QString& column) {
    requireActive();
    const int index = fieldIndex(column);
    if (index < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(column));
    if (place < 0 || static_cast<std::size_t>(place) >= shown_.size())
        return false;
    const std::size_t read = shown_[static_cast<std::size_t>(place)];
    const Column& asked = columns_[static_cast<std::size_t>(index)];
    SqlStatement& statement =
        connection_.statement(QStringLiteral("SELECT %1 FROM %2 WHERE \"Cod\" = ?")
                                  .arg(Quoted(asked.name), Quoted(tableName())));
    statement.bind(1, rows_.value(read, keyColumn()));
    const bool found = statement.step();
    const bool same = found && statement.column(0, asked.type) ==
                                   rows_.value(read, static_cast<std::size_t>(index));
    statement.reset();
    return same;
}

} // namespace tiravo
