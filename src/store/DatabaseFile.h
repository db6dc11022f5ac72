#pragma once

#include <QString>

namespace tiravo {

class Connection;

// Creates a new encrypted database file with the five empty tables and leaves
// the connection open on it. A file for use is built through
// BuildDatabaseFile (store/FileBuilding), which never leaves a half-made one.
void CreateDatabaseFile(Connection& connection, const QString& path, const QString& password);

} // namespace tiravo
