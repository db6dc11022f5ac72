#pragma once

#include <QString>

#include <functional>

class QFileDevice;

namespace tiravo {

class Connection;

// The program's windows speak Portuguese, the database tool English.
enum class MessageLanguage { Portuguese, English };

// A file that the program or the tool writes for people (the minutes, a
// winners list) and the database file in use, which no such file may ever
// replace.
struct OutputTarget {
    QString path;
    QString database;
    MessageLanguage language = MessageLanguage::Portuguese;
};

// The database file a connection works on, as its connection text names it.
QString DatabaseFileOf(const Connection& connection);

// Throws Error, and changes nothing, when a write to `target.path` would
// land, after its symbolic links, on the database file, its log (-wal), the
// log's index (-shm) or its journal (-journal), or on something there that
// is not a regular file: a folder, a device, or a pipe, which would block the
// write until somebody read it.
void RequireOutputTarget(const OutputTarget& target);

// Writes an output file: refused as above, then written to a temporary file
// in the target's folder that replaces the target in one rename once `write`
// has returned and everything is written. When anything fails the target is
// as it was and no temporary file stays behind. Throws Error.
void WriteOutputFile(const OutputTarget& target, const std::function<void(QFileDevice&)>& write);

// Whether an open file (the tool's standard output sent to a file) is the
// database file or one of the engine's files beside it.
bool IsDatabaseFile(int descriptor, const QString& database);

} // namespace tiravo
