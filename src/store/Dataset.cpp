#include "store/Dataset.h"

#include "common/Error.h"
#include "store/Connection.h"
#include "store/LocateIndex.h"

#include <QScopedValueRollback>

#include <algorithm>

namespace tiravo {

namespace {

QString Quoted(const QString& identifier) {
    return u'"' + identifier + u'"';
}

} // namespace

// ---- Field ----

const Column& Field::column() const {
    return dataset_->columns_.at(index_);
}

Value Field::value() const {
    if (dataset_->editing())
        return dataset_->buffer_.at(index_);
    const std::optional<std::size_t> row = dataset_->currentRow();
    return row ? dataset_->rows_.value(*row, index_) : Value{};
}

void Field::setValue(const Value& value) {
    dataset_->requireEditing();
    const Column& c = column();
    if (c.type == ColumnType::Key)
        throw Error(QStringLiteral("Field '%1' cannot be modified").arg(c.name));
    dataset_->buffer_.at(index_) = c.fit(value);
    dataset_->dirty_.at(index_) = true;
    emit dataset_->fieldChanged(static_cast<int>(index_));
}

bool Field::modified() const {
    return dataset_->editing() && dataset_->dirty_.at(index_);
}

QString Field::asString() const {
    return column().formatText(value());
}

void Field::setAsString(const QString& text) {
    dataset_->requireEditing();
    setValue(column().parseText(text));
}

std::int64_t Field::asInteger() const {
    const Value v = value();
    if (const auto* number = std::get_if<std::int64_t>(&v))
        return *number;
    if (const auto* flag = std::get_if<bool>(&v))
        return *flag ? 1 : 0;
    if (const auto* text = std::get_if<QString>(&v)) {
        bool ok = false;
        const qlonglong number = text->toLongLong(&ok);
        if (!ok)
            throw Error(QStringLiteral("'%1' is not a valid integer value for field '%2'")
                            .arg(*text, name()));
        return number;
    }
    return 0;
}

bool Field::asBoolean() const {
    const Value v = value();
    if (const auto* flag = std::get_if<bool>(&v))
        return *flag;
    if (const auto* number = std::get_if<std::int64_t>(&v))
        return *number != 0;
    if (const auto* text = std::get_if<QString>(&v)) {
        const Value parsed = Column{name(), ColumnType::Boolean, 0, false, {}}.parseText(*text);
        return std::holds_alternative<bool>(parsed) && std::get<bool>(parsed);
    }
    return false;
}

// ---- Dataset ----

Dataset::Dataset(Connection& connection)
    : connection_(connection),
      index_(std::make_unique<LocateIndex>(
          [this](std::size_t row, std::size_t column) -> std::optional<QString> {
              const Value cell = rows_.value(row, column);
              if (IsNull(cell))
                  return std::nullopt;
              return columns_[column].formatText(cell);
          })) {}

Dataset::~Dataset() = default;

void Dataset::open() {
    if (active())
        return;
    // Taken before the rows: a commit that falls in between makes the view
    // look older than it is, never newer.
    const std::int64_t version = connection_.dataVersion();
    FlatRows loaded = load();
    readVersion_ = version;
    rows_ = std::move(loaded);
    alive_.assign(rows_.size(), true);
    state_ = DatasetState::Browse;
    rebuild();
    emit stateChanged();
}

bool Dataset::changedElsewhere() const {
    return active() && connection_.dataVersion() != readVersion_;
}

void Dataset::close() {
    if (!active())
        return;
    ++readings_;
    rows_.clear();
    alive_.clear();
    shown_.clear();
    buffer_.clear();
    dirty_.clear();
    index_->reset();
    cursor_ = 0;
    eof_ = bof_ = true;
    state_ = DatasetState::Inactive;
    emit rowsChanged();
    emit stateChanged();
}

FlatRows Dataset::readRows(SqlStatement& statement) const {
    return FlatRows::Read(statement, columns_);
}

void Dataset::order(std::deque<std::size_t>&) const {}

void Dataset::rebuild() {
    index_->reset(sortedColumn());
    shown_.clear();
    for (std::size_t i = 0; i < rows_.size(); ++i)
        if (alive_[i] && passes(i))
            shown_.push_back(i);
    order(shown_);
    cursor_ = 0;
    eof_ = bof_ = shown_.empty();
    if (!shown_.empty())
        bof_ = true;
    emit rowsChanged();
    emit cursorMoved();
}

void Dataset::showInOrder(const std::vector<std::size_t>& rows) {
    index_->reset(sortedColumn());
    shown_.assign(rows.begin(), rows.end());
    cursor_ = 0;
    eof_ = shown_.empty();
    bof_ = true;
    emit rowsChanged();
    emit cursorMoved();
}

void Dataset::requireActive() const {
    if (!active())
        throw Error(QStringLiteral("Cannot perform this operation on a closed dataset"));
}

void Dataset::requireEditing() const {
    if (!editing())
        throw Error(QStringLiteral("Dataset not in edit or insert mode"));
}

std::optional<std::size_t> Dataset::currentRow() const {
    if (shown_.empty())
        return std::nullopt;
    return shown_[cursor_];
}

int Dataset::recordCount() const {
    return static_cast<int>(shown_.size());
}

int Dataset::recNo() const {
    return shown_.empty() ? -1 : static_cast<int>(cursor_);
}

void Dataset::setCursor(std::size_t place) {
    const bool moved = place != cursor_;
    cursor_ = place;
    if (moved)
        emit cursorMoved();
}

void Dataset::checkBrowseMode() {
    requireActive();
    if (!editing())
        return;
    if (modified())
        post();
    else
        cancel();
}

void Dataset::first() {
    checkBrowseMode();
    eof_ = shown_.empty();
    bof_ = true;
    setCursor(0);
}

void Dataset::next() {
    checkBrowseMode();
    if (eof_)
        return;
    if (cursor_ + 1 < shown_.size()) {
        bof_ = false;
        setCursor(cursor_ + 1);
    } else {
        eof_ = true;
    }
}

void Dataset::prior() {
    checkBrowseMode();
    eof_ = shown_.empty();
    if (cursor_ > 0)
        setCursor(cursor_ - 1);
    else
        bof_ = true;
}

void Dataset::last() {
    checkBrowseMode();
    // A move that lands on a row clears end-of-data, as First does: a loop
    // that tests it after Last reads the last row instead of none.
    eof_ = bof_ = shown_.empty();
    if (shown_.empty())
        return;
    bof_ = shown_.size() == 1;
    setCursor(shown_.size() - 1);
}

void Dataset::moveTo(int place) {
    checkBrowseMode();
    if (shown_.empty())
        return;
    const std::size_t target =
        static_cast<std::size_t>(std::clamp(place, 0, static_cast<int>(shown_.size()) - 1));
    eof_ = false;
    bof_ = target == 0;
    setCursor(target);
}

bool Dataset::modified() const {
    return editing() && std::find(dirty_.begin(), dirty_.end(), true) != dirty_.end();
}

void Dataset::edit() {
    requireActive();
    if (editing())
        return;
    // Refused before the row is put into editing: nothing typed into it could
    // be stored.
    connection_.requireWritable();
    if (shown_.empty()) {
        insert();
        return;
    }
    buffer_ = rows_.values(shown_[cursor_]);
    dirty_.assign(columns_.size(), false);
    state_ = DatasetState::Edit;
    emit stateChanged();
}

void Dataset::insert() {
    connection_.requireWritable();
    checkBrowseMode();
    buffer_.assign(columns_.size(), Value{});
    dirty_.assign(columns_.size(), false);
    // The new row takes the cursor's place; it is in the snapshot only once
    // it is posted, and dropped from it again by Cancel.
    rows_.append(buffer_);
    alive_.push_back(false);
    const std::size_t place = shown_.empty() ? 0 : cursor_;
    shown_.insert(shown_.begin() + static_cast<std::ptrdiff_t>(place), rows_.size() - 1);
    index_->inserted(place, rows_.size() - 1);
    cursor_ = place;
    eof_ = bof_ = false;
    state_ = DatasetState::Insert;
    emit rowsChanged();
    emit cursorMoved();
    emit stateChanged();
    if (afterInsert)
        afterInsert(*this);
}

void Dataset::cancel() {
    if (!editing())
        return;
    const bool inserting = state_ == DatasetState::Insert;
    state_ = DatasetState::Browse;
    buffer_.clear();
    dirty_.clear();
    if (inserting) {
        index_->erased(cursor_, rows_.size() - 1);
        rows_.popBack();
        alive_.pop_back();
        shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(cursor_));
        if (cursor_ >= shown_.size() && cursor_ > 0)
            cursor_ = shown_.size() - 1;
        eof_ = bof_ = shown_.empty();
        emit rowsChanged();
        emit cursorMoved();
    }
    emit stateChanged();
}

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

void Dataset::removeShownAtCursor() {
    index_->erased(cursor_, shown_[cursor_]);
    shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(cursor_));
    // The cursor goes to the row that followed, else to the one before.
    if (cursor_ >= shown_.size() && cursor_ > 0)
        cursor_ = shown_.size() - 1;
    eof_ = bof_ = shown_.empty();
    emit rowsChanged();
    emit cursorMoved();
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

bool Dataset::locate(const QString& column, const QString& value, LocateOptions options) {
    checkBrowseMode();
    const int index = fieldIndex(column);
    if (index < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(column));
    const std::optional<std::size_t> found =
        index_->find(shown_, static_cast<std::size_t>(index), value, options);
    if (!found)
        return false;
    eof_ = false;
    bof_ = *found == 0;
    setCursor(*found);
    return true;
}

int Dataset::fieldIndex(const QString& name) const {
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

Field Dataset::field(const QString& name) {
    const int index = fieldIndex(name);
    if (index < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(name));
    return Field(*this, static_cast<std::size_t>(index));
}

QString Dataset::displayText(int place, const QString& column) const {
    const int index = fieldIndex(column);
    if (index < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(column));
    return displayText(place, std::size_t(index));
}

QString Dataset::displayText(int place, std::size_t column) const {
    if (place < 0 || static_cast<std::size_t>(place) >= shown_.size())
        return {};
    if (editing() && static_cast<std::size_t>(place) == cursor_)
        return columns_[column].formatText(buffer_[column]);
    return columns_[column].formatText(
        rows_.value(shown_[static_cast<std::size_t>(place)], column));
}

} // namespace tiravo
