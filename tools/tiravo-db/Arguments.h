#pragma once

#include "common/Error.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace tiravo::db {

enum class Command { Help, Create, Demo, Dump, Check, Winners, Record, Verify, Minutes, Prizes };

struct Arguments {
    Command command = Command::Help;
    QString file; // absolute; the program's fixed path unless --file names another
    bool force = false;
    bool ifMissing = false;
    std::optional<QString> operatorName;
    std::optional<QString> password;
    std::optional<QString>
        pool; // winners, record, prizes: numeros, nomes or fotos; all three without it
    bool csv = false;
    bool raw = false;                // winners and record with --csv: texts as stored
    std::optional<QChar> separator;  // winners and record with --csv: between the fields
    std::optional<QDate> since;      // record: from this local date on
    std::optional<QDate> date;       // minutes: this local date; today without it
    std::optional<QString> pdf;      // minutes: the file to write
    std::optional<QString> prizeCsv; // prizes: the CSV file whose prizes replace the pool's plan
};

// A date as the tool takes it: 2026-12-09 or 09/12/2026. Throws UsageError.
QDate ParseDay(const QString& text, const char* option);

// A command line the tool cannot act on; it exits with status 2.
class UsageError : public Error {
public:
    using Error::Error;
};

// The arguments without the program's name. Throws UsageError.
Arguments ParseArguments(const QStringList& arguments);

QString UsageText();

} // namespace tiravo::db
