#include "store/FileBuilding.h"

#include "store/Connection.h"
#include "store/ConnectionText.h"
#include "store/DatabaseFile.h"
#include "store/DatabasePassword.h"
#include "store/FileUse.h"
#include "store/RowWriter.h"
#include "store/WriteScope.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tiravo {

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

QString SystemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// rename() replaces the target in one step, so no moment passes without
// a file at the program's path.
void MoveReplacing(const QString& from, const QString& to) {
    std::error_code failure;
    std::filesystem::rename(std::filesystem::path(QFile::encodeName(from).toStdString()),
                            std::filesystem::path(QFile::encodeName(to).toStdString()), failure);
    if (failure)
        throw Error(QStringLiteral("Could not move the new file to '%1': %2")
                        .arg(Native(to), QString::fromLocal8Bit(failure.message())));
}

// Fails, in the same step that would move it, when anything is at `to`: a
// check before a plain rename would leave a moment for another builder.
void MoveIfNothingThere(const QString& from, const QString& to) {
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) ==
        0)
        return;
    int error = errno;
    // A file system that cannot rename that way can still make a second name
    // for a file only where there is none.
    if (error == EINVAL || error == ENOSYS) {
        if (::link(source.constData(), target.constData()) == 0) {
            ::unlink(source.constData());
            return;
        }
        error = errno;
    }
    if (error == EEXIST)
        throw DatabaseFileExists(to);
    throw Error(QStringLiteral("Could not move the new file to '%1': %2")
                    .arg(Native(to), SystemText(error)));
}

// Held while a new file is built in a folder. A folder that cannot be locked
// (some network shares) is built in all the same: the move that refuses to
// replace still keeps a file that another builder made.
class FolderLock {
public:
    explicit FolderLock(const QString& folder)
        : fd_(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
        if (fd_ < 0)
            return;
        while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FolderLock() {
        if (fd_ >= 0)
            ::close(fd_); // lets go of the lock
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
};

} // namespace

DatabaseFileExists::DatabaseFileExists(const QString& path)
    : Error(QStringLiteral("The file '%1' exists already; give --force to replace it, and lose "
                           "what it holds")
                .arg(Native(path))) {}

void OpenDatabaseFile(Connection& connection, const QString& path) {
    connection.setConnectionText(ConnectionTextFor(path) + JoinDatabasePassword());
    connection.open();
}

bool NothingAt(const QString& path) {
    struct stat entry = {};
    return ::lstat(QFile::encodeName(path).constData(), &entry) != 0 && errno == ENOENT;
}

void RequireReplaceable(const QString& path, bool force) {
    if (NothingAt(path))
        return;
    if (!QFileInfo(path).isFile())
        throw Error(QStringLiteral("'%1' is there and is not a file").arg(Native(path)));
    if (!force)
        throw DatabaseFileExists(path);
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
    const FolderLock lock(folder);
    // Another builder may have made the file while this one waited.
    RequireReplaceable(path, force);

    // Only an earlier, broken-off build leaves a file of this name; a build
    // under way holds the lock.
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
        // A program that has opened the file meanwhile, or made it without
        // the lock, keeps it.
        RequireReplaceable(path, force);
        RemoveCompanions(path);
        if (force)
            MoveReplacing(building, path);
        else
            MoveIfNothingThere(building, path);
    } catch (...) {
        QFile::remove(building);
        for (const char* suffix : kCompanions)
            QFile::remove(building + QLatin1String(suffix));
        throw;
    }
}

void BuildEmptyDatabaseFile(const QString& path, bool force,
                            const std::optional<FirstOperator>& first) {
    BuildDatabaseFile(path, force, [&](Connection& connection) {
        if (!first)
            return;
        WriteScope batch(connection, WriteScope::Keeps::WhatWasWritten);
        RowWriter(connection, QStringLiteral("Usuario"))
            .add({{"Nome", first->name}, {"Senha", first->password}});
    });
}

} // namespace tiravo
