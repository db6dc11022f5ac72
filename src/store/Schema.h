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

// The tables of the database file, as every view and the database tool know
// them: the five the program's windows read, and the record of draws.
const std::vector<TableSchema>& Tables();
const TableSchema& TableNamed(const QString& name); // throws Error for an unknown table

inline const QString kRecordTable = QStringLiteral("TbRegistro");

// The schema's version, kept in the file's user_version. Version 0 is a file
// made before the record of draws; version 1 has it.
inline constexpr int kSchemaVersion = 1;

// The statements that create every table in an empty file, at this version.
QStringList CreateTableStatements();

// The record table and the triggers that keep it append-only.
QStringList RecordTableStatements();

} // namespace tiravo
