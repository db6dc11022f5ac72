#pragma once

#include <QString>

#include <functional>

namespace tiravo {
class Connection;
}

namespace tiravo::db {

// Opens an existing database file with the program's password.
void OpenDatabaseFile(Connection& connection, const QString& path);

// Throws Error when the file is there and may not be replaced: without
// `force`, or while another process has it open.
void RequireReplaceable(const QString& path, bool force);

// Builds a new database file: the five tables, then whatever `fill` writes.
// The file is built beside its place and moved there only when complete, so
// a failure leaves the old file, or none, but never a half-filled one that
// `demo --if-missing` would then take for a good one. The folder is created
// when missing; with `force` an existing file and its -wal and -shm
// companions are replaced.
void BuildDatabaseFile(const QString& path, bool force,
                       const std::function<void(Connection&)>& fill);

} // namespace tiravo::db
