#pragma once

#include "platform/SheetRows.h"

#include <QByteArray>
#include <QChar>
#include <QString>

namespace tiravo {

// The fields of a CSV file as spreadsheets save it (RFC 4180): a field in
// double quotes may hold the separator, line breaks and quotes doubled. The
// bytes are decoded as a text file's are (UTF-8, with or without a byte order
// mark, else Windows-1252), and the separator is found from the text.
//
// Written by hand, CSV files bend the rules, and what is plain is taken as
// meant: blanks before an opening quote are dropped, a quote inside an
// unquoted field is a character of it, and what follows a closing quote
// before the separator is kept. A line ends at a line feed, a carriage return
// and line feed, or a carriage return alone (as older spreadsheets for the
// Mac save it); an empty line is no row. A quote left open at the end of the
// text throws SheetError naming the line where its field began.
SheetRows ParseCsv(const QByteArray& bytes);

// The separator of a CSV text: of ';', tab and ',', the one that parts the
// most of its first records into the same number of fields, more than half
// of them (in that order when two do equally well), or a null QChar when none
// does: a file of one column.
QChar CsvSeparatorOf(const QString& text);

} // namespace tiravo
