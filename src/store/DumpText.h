#pragma once

#include "store/Column.h"
#include "store/Value.h"
#include "store/VisibleText.h"

#include <QString>

namespace tiravo {

// The text of one stored value as the database tool's dump prints it. The
// record of draws hashes its rows in nearly this same form (see RecordHash in
// VisibleText.h), so that anybody can recompute a hash from a dump line.

// A text as one field of a dump line. Every escape can be undone: a tab, a
// line break, a carriage return and a backslash become \t, \n, \r and \\,
// other hidden characters their codes (with Readable), and the text "NULL"
// becomes \NULL so that a bare NULL always means null.
QString EscapeDumpText(const QString& text, TextEscapes escapes);

// NULL for null, numbers in plain decimal, booleans True and False, texts
// escaped as above.
QString DumpFieldText(const Column& column, const Value& value, TextEscapes escapes);

} // namespace tiravo
