#include "store/FlatRows.h"

#include "store/SqlStatement.h"

namespace tiravo {

FlatRows FlatRows::Read(SqlStatement& statement, const std::vector<Column>& columns) {
    FlatRows rows(columns.size());
    const int count = static_cast<int>(columns.size());
    while (statement.step()) {
        for (int i = 0; i < count; ++i) {
            const ColumnType type = columns[static_cast<std::size_t>(i)].type;
            FlatColumn& cells = rows.columns_[static_cast<std::size_t>(i)];
            // The two kinds a table holds most are kept as the engine hands
            // them over; every other value is typed by the statement.
            const SqlStatement::StoredCell cell = statement.storedCell(i);
            switch (cell.kind) {
            case SqlStatement::StoredKind::Null:
                cells.pushNull();
                continue;
            case SqlStatement::StoredKind::Integer:
                if (type == ColumnType::Key || type == ColumnType::Integer ||
                    type == ColumnType::SmallInt) {
                    cells.pushInteger(cell.integer);
                    continue;
                }
                if (type == ColumnType::Boolean) {
                    cells.pushBoolean(cell.integer != 0);
                    continue;
                }
                break;
            case SqlStatement::StoredKind::Text:
                if (type == ColumnType::Text) {
                    cells.pushUtf8(cell.utf8, cell.size);
                    continue;
                }
                break;
            case SqlStatement::StoredKind::Other:
                break;
            }
            cells.push(statement.column(i, type));
        }
        ++rows.rows_;
    }
    statement.reset();
    return rows;
}

std::vector<Value> FlatRows::values(std::size_t row) const {
    std::vector<Value> values;
    values.reserve(columns_.size());
    for (const FlatColumn& column : columns_)
        values.push_back(column.value(row));
    return values;
}

void FlatRows::setValues(std::size_t row, const std::vector<Value>& values) {
    for (std::size_t i = 0; i < columns_.size(); ++i)
        columns_[i].set(row, values[i]);
}

void FlatRows::append(const std::vector<Value>& values) {
    for (std::size_t i = 0; i < columns_.size(); ++i)
        columns_[i].push(values[i]);
    ++rows_;
}

void FlatRows::popBack() {
    for (FlatColumn& column : columns_)
        column.popBack();
    --rows_;
}

void FlatRows::clear() {
    for (FlatColumn& column : columns_)
        column.clear();
    rows_ = 0;
}

} // namespace tiravo
