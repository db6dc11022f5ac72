// A view's cursor and edit buffer: reading the rows in, moving over them,
// and a row begun, edited or dropped. The values are in DatasetValues.cpp,
// the writing of a row in DatasetRowWrite.cpp.
#include "store/Dataset.h"

#include "common/Error.h"
#include "store/Connection.h"
#include "store/LocateIndex.h"

#include <algorithm>

namespace tiravo {

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
        // The begun row is the last of the snapshot.
        index_->erased(cursor_, rows_.size() - 1);
        rows_.popBack();
        alive_.pop_back();
        dropShownAtCursor();
    }
    emit stateChanged();
}

void Dataset::removeShownAtCursor() {
    index_->erased(cursor_, shown_[cursor_]);
    dropShownAtCursor();
}

void Dataset::dropShownAtCursor() {
    shown_.erase(shown_.begin() + static_cast<std::ptrdiff_t>(cursor_));
    // The cursor goes to the row that followed, else to the one before.
    if (cursor_ >= shown_.size() && cursor_ > 0)
        cursor_ = shown_.size() - 1;
    eof_ = bof_ = shown_.empty();
    emit rowsChanged();
    emit cursorMoved();
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

} // namespace tiravo
