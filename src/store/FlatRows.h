#pragma once

#include "store/Column.h"
#include "store/FlatColumn.h"
#include "store/Value.h"

#include <cstddef>
#include <vector>

namespace tiravo {

class SqlStatement;

// The rows of a snapshot, a FlatColumn per column: a row is a place in
// every column, so opening, filtering and sorting a million rows are passes
// over arrays, and the rows take a few words each instead of a variant and
// an allocation per cell.
class FlatRows {
public:
    FlatRows() = default;
    explicit FlatRows(std::size_t columns) : columns_(columns) {}

    // Every row a statement yields, typed by `columns` as SqlStatement::column
    // types them.
    static FlatRows Read(SqlStatement& statement, const std::vector<Column>& columns);

    std::size_t size() const { return rows_; }
    const FlatColumn& column(std::size_t index) const { return columns_[index]; }
    FlatColumn& column(std::size_t index) { return columns_[index]; }

    Value value(std::size_t row, std::size_t column) const { return columns_[column].value(row); }
    std::vector<Value> values(std::size_t row) const;
    void setValues(std::size_t row, const std::vector<Value>& values);
    void append(const std::vector<Value>& values);
    void popBack();
    void clear();

private:
    std::vector<FlatColumn> columns_;
    std::size_t rows_ = 0;
};

} // namespace tiravo
