#include "store/ColumnRewrite.h"

#include "common/Error.h"
#include "store/Column.h"
#include "store/Connection.h"
#include "store/Dataset.h"
#include "store/ShortTextSort.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace tiravo {

namespace {

// The engine keeps a list of the rows one statement changes: a slice of
// this many rows bounds it, however many millions the rewrite holds.
constexpr std::size_t kRowsPerStatement = 65536;

} // namespace

ColumnRewrite::ColumnRewrite(Dataset& view, const QString& column, std::optional<int> leftOut,
                             const std::vector<FixedValue>& alsoSet, Undo undo)
    : view_(view), reading_(view.readings()), undo_(undo) {
    view_.checkBrowseMode();
    if (view_.beforePost)
        throw Error(QStringLiteral(
            "A view with a hook before its posts cannot have a whole column rewritten"));
    const int index = view_.fieldIndex(column);
    if (index < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(column));
    column_ = static_cast<std::size_t>(index);
    if (view_.columns_[column_].type != ColumnType::Text)
        throw Error(QStringLiteral("Field '%1' is not a text").arg(column));
    width_ = view_.columns_[column_].width;
    const std::size_t key = view_.keyColumn();
    for (const FixedValue& fixed : alsoSet) {
        const int other = view_.fieldIndex(fixed.column);
        if (other < 0)
            throw Error(QStringLiteral("Field '%1' not found").arg(fixed.column));
        const Column& c = view_.columns_[static_cast<std::size_t>(other)];
        if (c.type == ColumnType::Key || other == index)
            throw Error(QStringLiteral("Field '%1' cannot be modified").arg(c.name));
        fixed_.emplace_back(static_cast<std::size_t>(other), c.fit(c.parseText(fixed.text)));
    }

    // The rows in the order of the snapshot, which is that of Cod for every
    // row read; rows inserted since come after them with greater keys.
    std::vector<char> shown(view_.rows_.size(), 0);
    for (std::size_t place = 0; place < view_.shown_.size(); ++place)
        if (!leftOut || place != static_cast<std::size_t>(*leftOut))
            shown[view_.shown_[place]] = 1;
    rows_.reserve(view_.shown_.size());
    for (std::size_t row = 0; row < shown.size(); ++row)
        if (shown[row])
            rows_.push_back(row);
    keys_.reserve(rows_.size());
    const FlatColumn& cods = view_.rows_.column(key);
    for (std::size_t row : rows_) {
        const std::optional<std::int64_t> cod = cods.integer(row);
        if (!cod)
            throw Error(QStringLiteral("A row without its key cannot be written"));
        keys_.push_back(*cod);
    }
    // A post would refuse such a row too.
    for (std::size_t i = 0; i < view_.columns_.size(); ++i) {
        if (!view_.columns_[i].required)
            continue;
        const FlatColumn& cells = view_.rows_.column(i);
        for (std::size_t row : rows_)
            if (cells.isNull(row))
                throw Error(
                    QStringLiteral("Field '%1' must have a value").arg(view_.columns_[i].name));
    }
    if (!std::is_sorted(keys_.begin(), keys_.end())) {
        std::vector<std::size_t> order(rows_.size());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::sort(order.begin(), order.end(),
                  [this](std::size_t a, std::size_t b) { return keys_[a] < keys_[b]; });
        std::vector<std::size_t> rows;
        std::vector<std::int64_t> keys;
        rows.reserve(order.size());
        keys.reserve(order.size());
        for (std::size_t i : order) {
            rows.push_back(rows_[i]);
            keys.push_back(keys_[i]);
        }
        rows_ = std::move(rows);
        keys_ = std::move(keys);
    }
    size_ = rows_.size();
    everyRowInOrder_ = size_ == view_.rows_.size() && std::is_sorted(rows_.begin(), rows_.end());
}

std::size_t ColumnRewrite::indexOfPlace(int place) const {
    if (everyRowInOrder_) {
        // The ith row of the snapshot is the ith of the rewrite: no table
        // of a word per row is needed to tell them apart.
        if (place < 0 || static_cast<std::size_t>(place) >= view_.shown_.size())
            throw Error(QStringLiteral("No row of the rewrite is shown there"));
        return view_.shown_[static_cast<std::size_t>(place)];
    }
    if (placeIndex_.empty() && !rows_.empty()) {
        // Built once, for a walk of every place.
        std::vector<std::size_t> indexOfRow(view_.rows_.size(), rows_.size());
        for (std::size_t i = 0; i < rows_.size(); ++i)
            indexOfRow[rows_[i]] = i;
        placeIndex_.reserve(view_.shown_.size());
        for (std::size_t row : view_.shown_)
            placeIndex_.push_back(indexOfRow[row]);
    }
    if (place < 0 || static_cast<std::size_t>(place) >= placeIndex_.size() ||
        placeIndex_[static_cast<std::size_t>(place)] >= rows_.size())
        throw Error(QStringLiteral("No row of the rewrite is shown there"));
    return placeIndex_[static_cast<std::size_t>(place)];
}

void ColumnRewrite::setText(std::size_t i, QString text) {
    if (i < written_)
        throw Error(QStringLiteral("This row is written already"));
    if (i >= size_)
        throw std::out_of_range("ColumnRewrite::setText: no such row");
    const std::size_t at = pendingFirst_ + (i - written_);
    while (pending_.size() <= at)
        pending_.pushNull();
    pending_.set(at,
                 width_ > 0 && text.size() > width_ ? CutToWidth(text, width_) : std::move(text));
}

bool ColumnRewrite::viewReadAgain() const {
    return view_.readings() != reading_;
}

void ColumnRewrite::writeUpTo(std::size_t end) {
    if (viewReadAgain())
        throw Error(QStringLiteral("The rows of the rewrite were read again meanwhile"));
    end = std::min(end, size_);
    while (written_ < end)
        writeSlice(std::min(end, written_ + kRowsPerStatement));
    if (written_ == size_) {
        // Nothing is looked up by key or by place any more.
        std::vector<std::int64_t>().swap(keys_);
        std::vector<std::size_t>().swap(placeIndex_);
    }
}

void ColumnRewrite::writeSlice(std::size_t end) {
    // A row whose text was never set is written as the empty text.
    while (pending_.size() < pendingFirst_ + (end - written_))
        pending_.pushNull();
    Connection& connection = view_.connection();
    QString sets =
        QStringLiteral("\"%1\" = tiravo_slice_text(\"Cod\")").arg(view_.columns_[column_].name);
    for (std::size_t f = 0; f < fixed_.size(); ++f)
        sets +=
            QStringLiteral(", \"%1\" = ?%2").arg(view_.columns_[fixed_[f].first].name).arg(f + 3);
    SqlStatement& statement = connection.statement(
        QStringLiteral("UPDATE \"%1\" SET %2 WHERE \"Cod\" BETWEEN ?1 AND ?2 AND "
                       "tiravo_slice_text(\"Cod\") IS NOT NULL")
            .arg(view_.tableName(), sets));
    const Connection::TextSlice slice{keys_.data() + written_, &pending_, pendingFirst_,
                                      end - written_};
    statement.bind(1, keys_[written_]);
    statement.bind(2, keys_[end - 1]);
    for (std::size_t f = 0; f < fixed_.size(); ++f)
        statement.bind(static_cast<int>(f) + 3, fixed_[f].second);
    connection.setTextSlice(&slice);
    try {
        while (statement.step()) {
        }
    } catch (...) {
        connection.setTextSlice(nullptr);
        throw;
    }
    connection.setTextSlice(nullptr);
    statement.reset();
    FlatColumn& cells = view_.rows_.column(column_);
    for (std::size_t i = written_; i < end; ++i) {
        if (undo_ == Undo::RestoreView)
            old_.pushCell(cells, rows_[i]);
        cells.setCell(rows_[i], pending_, pendingFirst_ + (i - written_));
        for (const auto& [column, value] : fixed_) {
            FlatColumn& fixedCells = view_.rows_.column(column);
            if (undo_ == Undo::RestoreView)
                oldFixed_.pushCell(fixedCells, rows_[i]);
            fixedCells.set(rows_[i], value);
        }
    }
    pendingFirst_ += end - written_;
    if (pendingFirst_ == pending_.size()) {
        pending_.clear();
        pendingFirst_ = 0;
    }
    written_ = end;
}

void ColumnRewrite::prepareOrder() {
    if (written_ < size_ || rows_.size() != size_ || order_ ||
        view_.sortedColumn() != std::optional<std::size_t>(column_) || view_.filterReads(column_) ||
        !std::is_sorted(rows_.begin(), rows_.end()))
        return;
    for (const auto& fixed : fixed_)
        if (view_.filterReads(fixed.first))
            return;
    // The texts as numbers, sorted as the view sorts them: ties stay in the
    // order of the rows, as the view's own sort leaves them.
    const FlatColumn& cells = view_.rows_.column(column_);
    std::vector<std::size_t> rows = rows_;
    if (SortRowsByPackedText(rows,
                             [&cells](std::size_t row) { return cells.packedShortText(row); }))
        order_ = std::move(rows);
}

void ColumnRewrite::takeIntoView() {
    if (written_ < size_)
        throw Error(QStringLiteral("Not every row of the rewrite is written"));
    old_.clear();
    oldFixed_.clear();
    if (viewReadAgain()) {
        release();
        // What the view read meanwhile may be older than the commit.
        view_.close();
        view_.open();
        return;
    }
    view_.checkBrowseMode();
    prepareOrder();
    // The rows shown are those rewritten when none joined or left since but
    // the one left out.
    if (order_ && static_cast<std::size_t>(view_.recordCount()) == size_)
        view_.showInOrder(*order_);
    else
        view_.rebuild();
    release();
}

void ColumnRewrite::release() {
    std::vector<std::size_t>().swap(rows_);
    std::vector<std::int64_t>().swap(keys_);
    pending_.clear();
    pendingFirst_ = 0;
    std::vector<std::size_t>().swap(placeIndex_);
    old_.clear();
    oldFixed_.clear();
    order_.reset();
#ifdef __GLIBC__
    // Arrays of tens of megabytes, once freed, raise the size from which the
    // allocator maps blocks of their own; the next ones of that size then
    // come from its heap and stay with the process when freed. Between two
    // draws over a pool of a million that is some fifty megabytes.
    malloc_trim(0);
#endif
}

void ColumnRewrite::restoreView() noexcept {
    if (!viewReadAgain()) {
        FlatColumn& cells = view_.rows_.column(column_);
        for (std::size_t i = 0; i < old_.size(); ++i) {
            cells.setCell(rows_[i], old_, i);
            for (std::size_t f = 0; f < fixed_.size(); ++f)
                view_.rows_.column(fixed_[f].first)
                    .setCell(rows_[i], oldFixed_, i * fixed_.size() + f);
        }
    }
    old_.clear();
    oldFixed_.clear();
}

} // namespace tiravo
