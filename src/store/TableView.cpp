#include "store/TableView.h"

#include "common/Error.h"
#include "store/Connection.h"
#include "store/Schema.h"

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

void TableView::order(std::vector<std::size_t>& shown) const {
    if (sortColumn_ < 0)
        return;
    const auto column = static_cast<std::size_t>(sortColumn_);
    std::stable_sort(shown.begin(), shown.end(), [&](std::size_t a, std::size_t b) {
        return CompareValues(rows()[a].values[column], rows()[b].values[column]) < 0;
    });
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
