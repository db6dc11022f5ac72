#pragma once

#include <QString>

class QTextStream;

namespace tiravo {
class Connection;
}

namespace tiravo::db {

// A text as one field of a dump line. Every escape can be undone: a tab, a
// line break, a carriage return and a backslash become \t, \n, \r and \\, and
// the text "NULL" becomes \NULL so that a bare NULL always means null.
QString EscapeDumpText(const QString& text);

// Every table of the schema, in its order: the name, the column names, one
// line per row in the order of Cod, an empty line; fields separated by tabs.
void DumpDatabase(Connection& connection, QTextStream& out);

} // namespace tiravo::db
