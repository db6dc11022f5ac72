#include "FileBuilding.h"

#include "FileUse.h"

#include "common/Error.h"
#include "store/Connection.h"
#include "store/ConnectionText.h"
#include "store/DatabaseFile.h"
#include "store/DatabasePassword.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace tiravo::db {

namespace {

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// The engine's write-ahead log and its index: a stale log left beside a new
// file would be replayed into it.
const char* const kCompanions[] = {"-wal", "-shm"};

void RemoveFile(const QString& path) {
    if (QFileInfo(path).isFile() && !QFile::remove(path))
        throw Error(QStringLiteral("Could not remove the file '%1'").arg(Native(path)));
}

void RemoveCompanions(const QString& path) {
    for (const char* suffix : kCompanions)
        RemoveFile(path + QLatin1String(suffix));
}

void MoveInto(const QString& from, const QString& to) {
    // rename() replaces the target in one step, so no moment passes without
    // a file at the program's path.
    std::error_code failure;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), failure);
    if (failure)
        throw Error(QStringLiteral("Could not move the new file to '%1': %2")
                        .arg(Native(to), QString::fromLocal8Bit(failure.message())));
}

} // namespace

void OpenDatabaseFile(Connection& connection, const QString& path) {
    connection.setConnectionText(ConnectionTextFor(path) + JoinDatabasePassword());
    connection.open();
}

void RequireReplaceable(const QString& path, bool force) {
    const QFileInfo file(path);
    if (!file.exists())
        return;
    if (!file.isFile())
        throw Error(QStringLiteral("'%1' is there and is not a file").arg(Native(path)));
    if (!force)
        throw Error(
            QStringLiteral("The file '%1' exists already; give --force to replace it, and lose "
                           "what it holds")
                .arg(Native(path)));
    // Replacing the file under a program that has it open would lose what it
    // has written to the log and not yet to the file, and could damage both.
    if (OpenInAnotherProcess(path))
        throw Error(QStringLiteral("The file '%1' is open in another program; close that program "
                                   "first. Nothing was changed")
                        .arg(Native(path)));
}

void BuildDatabaseFile(const QString& path, bool force,
                       const std::function<void(Connection&)>& fill) {
    RequireReplaceable(path, force);
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        throw Error(QStringLiteral("Could not create the folder '%1'").arg(Native(folder)));

    // Only an earlier run of this tool leaves a file of this name.
    const QString building = path + QLatin1String(".new");
    RemoveFile(building);
    RemoveCompanions(building);
    try {
        Connection connection;
        CreateDatabaseFile(connection, building, JoinDatabasePassword());
        fill(connection);
        connection.close();
        // Closing the last connection folds the log into the file; a log
        // still there holds rows that a move of the file alone would lose.
        if (QFileInfo(building + QLatin1String("-wal")).exists())
            throw Error(
                QStringLiteral("The new file '%1' could not be completed").arg(Native(building)));
        // Another process may have made the file meanwhile.
        RequireReplaceable(path, force);
        RemoveCompanions(path);
        MoveInto(building, path);
    } catch (...) {
        QFile::remove(building);
        for (const char* suffix : kCompanions)
            QFile::remove(building + QLatin1String(suffix));
        throw;
    }
}

} // namespace tiravo::db
