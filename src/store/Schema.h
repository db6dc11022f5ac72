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
inline const QString kPrizeTable = QStringLiteral("TbPremio");
inline const QString kPresentationTable = QStringLiteral("TbApresentacao");

// The schema's version, kept in the file's user_version. Version 0 is a file
// made before the record of draws; version 1 has it; version 2 has the
// indexes of the winners lists too; version 3 the prize plans; version 4 the
// presentation settings.
inline constexpr int kSchemaVersion = 4;

// The statements that create every table in an empty file, at this version.
QStringList CreateTableStatements();

// The indexes that the winners lists read by: without them each draw over a
// large pool reads the whole table again to list its few winners. Safe to
// run on a file that has them already.
QStringList CreateIndexStatements();

// The record table and the triggers that keep it append-only.
QStringList RecordTableStatements();

// The table of the pools' prize plans.
QString PrizeTableStatement();

// The table of the presentation settings, made unless the file has it.
QString PresentationTableStatement();

} // namespace tiravo
