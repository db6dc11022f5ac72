#include "store/TableView.h"

#include "common/Error.h"
#include "store/Connection.h"
#include "store/Schema.h"
#include "store/TextOrder.h"

#include <algorithm>

namespace tiravo {

namespace {

bool NeedsFolding(QStringView text) {
    for (QChar c : text)
        if (c.unicode() >= 0x80 || (c >= u'A' && c <= u'Z'))
            return true;
    return false;
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
        // Each text is folded once, and only when it has letters to fold, then
        // sorted as a small key beside its row instead of being looked up in
        // every comparison: opening a large pool view then costs little more
        // than reading it. The row breaks ties, so the order is stable.
        struct Key {
            QStringView folded;
            QStringView text;
            std::size_t row;
        };
        std::vector<std::size_t> nulls;
        std::vector<QString> foldedTexts;
        std::vector<Key> keys;
        keys.reserve(sorted.size());
        for (std::size_t row : sorted) {
            const auto* text = std::get_if<QString>(&rows()[row].values[column]);
            if (!text) {
                nulls.push_back(row);
                continue;
            }
            keys.push_back({*text, *text, row});
        }
        foldedTexts.reserve(keys.size());
        for (Key& key : keys)
            if (NeedsFolding(key.text)) {
                foldedTexts.push_back(key.text.toString().toCaseFolded());
                key.folded = foldedTexts.back();
            }
        // The locate index halves the rows in this same order.
        std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
            int order = CompareUnits(a.folded, b.folded);
            if (order == 0)
                order = CompareUnits(a.text, b.text);
            return order != 0 ? order < 0 : a.row < b.row;
        });
        sorted = std::move(nulls);
        for (const Key& key : keys)
            sorted.push_back(key.row);
    } else {
        std::stable_sort(sorted.begin(), sorted.end(), [&](std::size_t a, std::size_t b) {
            return CompareValues(rows()[a].values[column], rows()[b].values[column]) < 0;
        });
    }
    shown.assign(sorted.begin(), sorted.end());
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
