#pragma once

#include "common/Error.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tiravo {

// What is wrong with a spreadsheet, in the words the operator reads after the
// file's name: "a linha 12 tem aspas sem fecho".
class SheetError : public Error {
public:
    using Error::Error;
};

// The cells of a spreadsheet as texts, row by row: a CSV file's fields, the
// first sheet of a workbook. A row holds its cells up to the last one that
// was given, so rows differ in length; a row without a cell is kept, empty.
//
// A list of names is small next to what a file can make of it: a few bytes
// of ";" are thousands of cells, and a compressed workbook swells a
// thousandfold. Past kMaxSheetCells cells (a row counts as one more) or
// kMaxSheetCharacters characters the table throws SheetError, before the
// memory runs out.
class SheetRows {
public:
    // The next cell of the current row.
    void append(QString text);
    // The cell of the current row in `column` (from 0), the row padded with
    // empty cells up to it. A column left of one already given is set over.
    void set(qsizetype column, QString text);
    // Ends the current row, which began on `line` of its file (0: the row's
    // own number); the next cell starts another.
    void endRow(int line = 0);

    // Every row ended so far.
    const QList<QStringList>& rows() const { return rows_; }
    // The line of its file where row `row` (from 0) began, counted from 1,
    // for the messages that name it.
    int lineOf(qsizetype row) const { return lines_.at(row); }
    // The width of the widest row.
    qsizetype columnCount() const { return columns_; }

private:
    void count(qsizetype cells, qsizetype characters);

    QList<QStringList> rows_;
    QList<int> lines_;
    QStringList row_;
    qsizetype columns_ = 0;
    qsizetype cells_ = 0;
    qsizetype characters_ = 0;
};

inline constexpr qsizetype kMaxSheetCells = 4 * 1024 * 1024;
inline constexpr qsizetype kMaxSheetCharacters = 64 * 1024 * 1024;

// The message of a sheet too large for a list of names.
QString SheetTooLargeText();

} // namespace tiravo
