#include "store/StoreError.h"

#include <QDir>

#include <sqlite3.h>

namespace tiravo {

FileFault FaultOfEngineCode(int code) {
    // Extended codes (SQLITE_READONLY_DBMOVED, SQLITE_BUSY_SNAPSHOT, ...)
    // share the low byte of their family.
    switch (code & 0xff) {
    case SQLITE_CANTOPEN:
        return FileFault::CannotOpen;
    case SQLITE_READONLY:
        return FileFault::ReadOnly;
    case SQLITE_FULL:
        return FileFault::Full;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return FileFault::Locked;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return FileFault::Damaged;
    default:
        return FileFault::Other;
    }
}

StoreError::StoreError(const QString& message, int engineCode, const QString& file)
    : Error(message), engineCode_(engineCode), file_(QDir::toNativeSeparators(file)) {}

StoreError EngineError(sqlite3* db, const QString& message) {
    const char* file = db ? sqlite3_db_filename(db, "main") : nullptr;
    return StoreError(message.isEmpty() ? QString::fromUtf8(sqlite3_errmsg(db)) : message,
                      db ? sqlite3_extended_errcode(db) : SQLITE_NOMEM,
                      QString::fromUtf8(file ? file : ""));
}

} // namespace tiravo
