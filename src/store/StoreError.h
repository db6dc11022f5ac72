#pragma once

#include "common/Error.h"

#include <QString>

struct sqlite3;

namespace tiravo {

// The failures of the database file that the operator can mend himself, told
// apart by the engine's result code and never by its (English) text.
enum class FileFault {
    Other,      // anything else: its own text is all there is to say
    CannotOpen, // the engine could not open the file or the files beside it
    ReadOnly,   // the file cannot be written
    Full,       // the disk is full
    Locked,     // another program holds the file
    Damaged,    // not a database of this program, or a damaged one
};

FileFault FaultOfEngineCode(int code);

// An error the engine gave about the file. Its message stays the engine's or
// the store's own English text, which the database tool prints as it is; the
// windows give the operator a text of their own for the faults above (see
// platform/ErrorText).
class StoreError : public Error {
public:
    StoreError(const QString& message, int engineCode, const QString& file);

    int engineCode() const { return engineCode_; }
    FileFault fault() const { return FaultOfEngineCode(engineCode_); }
    // The database file, in the system's own way of writing paths.
    const QString& file() const { return file_; }

private:
    int engineCode_;
    QString file_;
};

// The engine's last error on `db`, with `message` in place of the engine's
// own text when given.
StoreError EngineError(sqlite3* db, const QString& message = {});

} // namespace tiravo
