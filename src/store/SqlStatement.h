#pragma once

#include "store/Column.h"
#include "store/Value.h"

#include <cstddef>
#include <cstdint>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

namespace tiravo {

// One prepared statement of the engine. Values are bound as parameters,
// never spliced into the text.
class SqlStatement {
public:
    SqlStatement(sqlite3* db, const QString& sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    void bind(int index, const Value& value); // index from 1
    bool step();                              // true while it yields a row
    void reset();                             // ready to run again, bindings cleared

    int columnCount() const;
    QString columnName(int index) const;
    Value column(int index, ColumnType type) const;

    // A column's value as the engine holds it, for a reader that keeps the
    // common kinds as they come (FlatRows); column() types every other. One
    // call per cell: a million rows of a table are read cell by cell.
    enum class StoredKind { Null, Integer, Text, Other };
    struct StoredCell {
        StoredKind kind = StoredKind::Null;
        std::int64_t integer = 0;
        const char* utf8 = nullptr;
        std::size_t size = 0;
    };
    StoredCell storedCell(int index) const;

private:
    [[noreturn]] void fail(const char* doing) const;

    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
    QString sql_;
};

} // namespace tiravo
