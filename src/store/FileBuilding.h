#pragma once

#include "common/Error.h"

#include <QString>

#include <functional>
#include <optional>

namespace tiravo {

class Connection;

// The database file is there already and was not to be replaced.
class DatabaseFileExists : public Error {
public:
    explicit DatabaseFileExists(const QString& path);
};

// The one operator of a new file, who may then log in.
struct FirstOperator {
    QString name;
    QString password;
};

// Opens an existing database file with the program's password.
void OpenDatabaseFile(Connection& connection, const QString& path);

// Whether nothing at all is at `path`: no file, no folder, not even a link
// that leads nowhere. Only then may a new file be put there unasked.
bool NothingAt(const QString& path);

// Throws Error when the file is there and may not be replaced: without
// `force` (DatabaseFileExists), or while another process has it open.
void RequireReplaceable(const QString& path, bool force);

// Builds a new database file: the five tables, then whatever `fill` writes.
// The file is built beside its place and moved there only when complete, so
// a failure leaves the old file, or none, but never a half-filled one that
// `demo --if-missing` would then take for a good one. The folder is created
// when missing; with `force` an existing file and its -wal and -shm
// companions are replaced. Two builders of one file, in this program or the
// database tool, take turns on a lock of the folder, and without `force` the
// move never replaces a file that appeared meanwhile: the later builder gets
// DatabaseFileExists and the first one's file stays.
void BuildDatabaseFile(const QString& path, bool force,
                       const std::function<void(Connection&)>& fill);

// A new file with no rows, or with one operator.
void BuildEmptyDatabaseFile(const QString& path, bool force,
                            const std::optional<FirstOperator>& first);

} // namespace tiravo
