#include "store/TableView.h"

#include "common/Error.h"
#include "store/Connection.h"
#include "store/Schema.h"
#include "store/ShortTextSort.h"
#include "store/TextOrder.h"

#include <algorithm>

namespace tiravo {

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

std::vector<Dataset::Row> TableView::load() {
    QStringList names;
    for (const Column& column : columns_)
        names << u'"' + column.name + u'"';
    SqlStatement& statement =
        connection().statement(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY \"Cod\"")
                                   .arg(names.join(u','), spec_.table));
    return readRows(statement);
}

bool TableView::passes(const std::vector<Value>& row) const {
    return filter_.passes(row);
}

void TableView::order(std::deque<std::size_t>& shown) const {
    if (sortColumn_ < 0)
        return;
    const auto column = static_cast<std::size_t>(sortColumn_);
    std::vector<std::size_t> sorted(shown.begin(), shown.end());
    if (columns_[column].type == ColumnType::Text) {
        // Short keys of plain letters (every pool's order keys) sort as
        // numbers, in the same order.
        if (std::optional<std::vector<std::size_t>> packed =
                SortedByShortTexts(sorted, [&](std::size_t row) -> const Value& {
                    return rows()[row].values[column];
                })) {
            shown.assign(packed->begin(), packed->end());
            return;
        }
        // Nulls first, then the texts in the program's text order; the locate
        // index halves the rows in this same order.
        std::vector<std::size_t> nulls;
        std::vector<std::size_t> texted;
        std::vector<QStringView> texts;
        texted.reserve(sorted.size());
        texts.reserve(sorted.size());
        for (std::size_t row : sorted) {
            if (const auto* text = std::get_if<QString>(&rows()[row].values[column])) {
                texted.push_back(row);
                texts.push_back(*text);
            } else {
                nulls.push_back(row);
            }
        }
        sorted = std::move(nulls);
        for (std::size_t place : TextOrderOf(texts))
            sorted.push_back(texted[place]);
    } else {
        std::stable_sort(sorted.begin(), sorted.end(), [&](std::size_t a, std::size_t b) {
            return CompareValues(rows()[a].values[column], rows()[b].values[column]) < 0;
        });
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
