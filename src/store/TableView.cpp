#include "store/TableView.h"

#include "common/Error.h"
#include "store/Connection.h"
#include "store/Schema.h"
#include "store/ShortTextSort.h"
#include "store/TextOrder.h"

#include <algorithm>
#include <numeric>

namespace tiravo {

namespace {

// Rows in ascending order of a column that is not a text; ties keep their order.
void SortByValues(std::vector<std::size_t>& rows, const FlatColumn& cells) {
    // Whole numbers and nulls, all that key and number columns hold as a
    // rule, are compared as numbers rather than as a Value made per comparison.
    struct Key {
        bool present; // null sorts first
        std::int64_t number;
    };
    std::vector<Key> keys;
    keys.reserve(rows.size());
    for (std::size_t row : rows) {
        const std::optional<std::int64_t> number = cells.integer(row);
        if (!number && !cells.isNull(row)) {
            std::stable_sort(rows.begin(), rows.end(), [&](std::size_t a, std::size_t b) {
                return CompareValues(cells.value(a), cells.value(b)) < 0;
            });
            return;
        }
        keys.push_back({number.has_value(), number.value_or(0)});
    }
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    const auto before = [&](std::size_t a, std::size_t b) {
        if (keys[a].present != keys[b].present)
            return !keys[a].present;
        return keys[a].number < keys[b].number;
    };
    // A view read in Cod order and sorted by Cod is so already.
    if (std::is_sorted(order.begin(), order.end(), before))
        return;
    std::stable_sort(order.begin(), order.end(), before);
    std::vector<std::size_t> sorted;
    sorted.reserve(rows.size());
    for (std::size_t i : order)
        sorted.push_back(rows[i]);
    rows = std::move(sorted);
}

} // namespace

TableView::TableView(Connection& connection, ViewSpec spec)
    : Dataset(connection), spec_(std::move(spec)) {
    declareColumns();
    filter_ = FilterExpression::Parse(spec_.filter, columns_);
    if (!spec_.sortKey.isEmpty()) {
        sortColumn_ = fieldIndex(spec_.sortKey);
        if (sortColumn_ < 0)
            throw Error(
                QStringLiteral("The sort key '%1' is not a column of the view").arg(spec_.sortKey));
    }
}

void TableView::declareColumns() {
    const TableSchema& table = TableNamed(spec_.table);
    spec_.table = table.name;
    if (spec_.columns.empty()) {
        columns_ = table.columns;
    } else {
        for (const FieldSpec& field : spec_.columns) {
            const Column* column = table.find(field.name);
            if (!column)
                throw Error(
                    QStringLiteral("Table '%1' has no column '%2'").arg(table.name, field.name));
            columns_.push_back(*column);
            if (field.width > 0)
                columns_.back().width = field.width;
        }
    }
    for (const QString& name : spec_.required) {
        const int index = fieldIndex(name);
        if (index < 0)
            throw Error(QStringLiteral("Field '%1' not found").arg(name));
        columns_[static_cast<std::size_t>(index)].required = true;
    }
    for (const auto& [name, format] : spec_.formats) {
        const int index = fieldIndex(name);
        if (index < 0)
            throw Error(QStringLiteral("Field '%1' not found").arg(name));
        columns_[static_cast<std::size_t>(index)].displayFormat = format;
    }
}

FlatRows TableView::load() {
    QStringList names;
    for (const Column& column : columns_)
        names << u'"' + column.name + u'"';
    SqlStatement& statement =
        connection().statement(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY \"Cod\"")
                                   .arg(names.join(u','), spec_.table));
    return readRows(statement);
}

bool TableView::passes(std::size_t row) const {
    const int column = filter_.column();
    return column < 0 || filter_.passesValue(rows().value(row, static_cast<std::size_t>(column)));
}

void TableView::order(std::deque<std::size_t>& shown) const {
    if (sortColumn_ < 0)
        return;
    const auto column = static_cast<std::size_t>(sortColumn_);
    const FlatColumn& cells = rows().column(column);
    std::vector<std::size_t> sorted(shown.begin(), shown.end());
    if (columns_[column].type == ColumnType::Text) {
        // Short keys of plain letters (every pool's order keys) sort as
        // numbers, in the same order.
        if (std::optional<std::vector<std::size_t>> packed =
                SortedByShortTexts(sorted, [&](std::size_t row) {
                    return ShortTextCell{cells.isNull(row), cells.packedShortText(row)};
                })) {
            shown.assign(packed->begin(), packed->end());
            return;
        }
        // Nulls first, then the texts in the program's text order; the locate
        // index halves the rows in this same order.
        std::vector<std::size_t> nulls;
        std::vector<std::size_t> texted;
        std::vector<QString> held;
        texted.reserve(sorted.size());
        held.reserve(sorted.size());
        for (std::size_t row : sorted) {
            if (cells.isNull(row)) {
                nulls.push_back(row);
            } else {
                texted.push_back(row);
                held.push_back(std::get<QString>(cells.value(row)));
            }
        }
        const std::vector<QStringView> texts(held.begin(), held.end());
        sorted = std::move(nulls);
        for (std::size_t place : TextOrderOf(texts))
            sorted.push_back(texted[place]);
    } else {
        SortByValues(sorted, cells);
    }
    shown.assign(sorted.begin(), sorted.end());
}

bool TableView::filterReads(std::size_t column) const {
    return filter_.column() == static_cast<int>(column);
}

std::optional<std::size_t> TableView::sortedColumn() const {
    // order() sorts a text column as the locate index searches it.
    if (sortColumn_ < 0 || columns_[static_cast<std::size_t>(sortColumn_)].type != ColumnType::Text)
        return std::nullopt;
    return static_cast<std::size_t>(sortColumn_);
}

void TableView::setFilter(const QString& text) {
    if (text == spec_.filter)
        return;
    FilterExpression parsed = FilterExpression::Parse(text, columns_);
    if (active())
        checkBrowseMode();
    spec_.filter = text;
    filter_ = std::move(parsed);
    if (active())
        rebuild();
}

void TableView::setSortKey(const QString& column) {
    if (column == spec_.sortKey)
        return;
    const int index = column.isEmpty() ? -1 : fieldIndex(column);
    if (!column.isEmpty() && index < 0)
        throw Error(QStringLiteral("The sort key '%1' is not a column of the view").arg(column));
    if (active())
        checkBrowseMode();
    spec_.sortKey = column;
    sortColumn_ = index;
    if (active())
        rebuild();
}

} // namespace tiravo
