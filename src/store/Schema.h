#pragma once

#include "store/Column.h"

#include <QStringList>

#include <vector>

namespace tiravo {

struct TableSchema {
    QString name;
    std::vector<Column> columns; // Cod, the key, first

    const Column* find(const QString& column) const;
};

// The five tables of the database file, as every view and the database tool
// know them.
const std::vector<TableSchema>& Tables();
const TableSchema& TableNamed(const QString& name); // throws Error for an unknown table

// The statements that create the five tables in an empty file.
QStringList CreateTableStatements();

// The indexes that the winners lists read by: without them each draw over a
// large pool reads the whole table again to list its few winners. Safe to
// run on a file that has them already.
QStringList CreateIndexStatements();

} // namespace tiravo
