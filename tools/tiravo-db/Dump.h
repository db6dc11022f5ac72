#pragma once

#include <QString>

class QTextStream;

namespace tiravo {
class Connection;
}

namespace tiravo::db {

// Every table of the schema, in its order: the name, the column names, one
// line per row in the order of Cod, an empty line; fields separated by tabs.
// The prize plans' table only when it has rows.
void DumpDatabase(Connection& connection, QTextStream& out);

} // namespace tiravo::db
