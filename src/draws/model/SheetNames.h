#pragma once

#include "platform/SheetRows.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace tiravo {

// A spreadsheet as the name import looks at it: its rows and columns
// without the blank ones (a trailing separator on every line of a CSV file
// makes no column), whether its first row looks like a header, and the
// column proposed for the names.
struct SheetColumns {
    QList<QStringList> rows;
    qsizetype columnCount = 0;
    // The sheet's own column of each column here, from 0: "C" is 2.
    QList<qsizetype> sheetColumns;
    bool header = false;
    qsizetype proposed = 0;
};

// The operator's answer: the column of the names (from 0), and whether the
// first row is a header, left out.
struct NameColumn {
    qsizetype column = 0;
    bool header = false;
};

// Whether a header names the column of the names: "Nome", "Nomes", "Name" or
// "Participante", in any case and with or without accents ("NOMÊ" too).
bool IsNamesHeading(const QString& heading);

// Reads a sheet. Its first row looks like a header when one of its cells
// names the column of the names, or when it is all words above a column of
// figures (a "Telefone" over phone numbers, a "Turma" over "5A"). The column
// proposed is the one so named, else the first that holds mostly words (not
// figures nor e-mail addresses), else the first.
SheetColumns ExamineSheet(const SheetRows& sheet);

// The cell of `row` in `column`; empty where the row is shorter.
QString SheetCell(const QStringList& row, qsizetype column);

// The names of `column`, the header left out, each read as a line of a text
// file is (ImportedNames); blank cells give none.
QStringList NamesInColumn(const SheetColumns& sheet, NameColumn column);

// Asks the operator which column holds the names; nothing when cancelled.
using ChooseNameColumn = std::function<std::optional<NameColumn>(const SheetColumns&)>;

// The names of a file to import. A text file's lines (ReadNamesToImport); a
// spreadsheet's (SheetFile) single column, its first cell left out when it
// names the column; the column that `choose` picks of a sheet of several.
// Nothing when the choice is cancelled. Throws Error naming the file for a
// file with no names in it ("a planilha está vazia") or none in the column
// chosen ("a coluna escolhida está vazia"), and as SheetFile does.
std::optional<QStringList> ReadNamesFromFile(const QString& path, const ChooseNameColumn& choose);

} // namespace tiravo
