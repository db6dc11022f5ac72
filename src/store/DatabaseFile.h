#pragma once

#include <QString>

namespace tiravo {

class Connection;

// Creates a new encrypted database file with the five empty tables and leaves
// the connection open on it. The program itself never creates the file; the
// database tool and the tests do.
void CreateDatabaseFile(Connection& connection, const QString& path, const QString& password);

} // namespace tiravo
