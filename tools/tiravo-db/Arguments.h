#pragma once

#include "common/Error.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace tiravo::db {

enum class Command { Help, Create, Demo, Dump, Check, Winners };

struct Arguments {
    Command command = Command::Help;
    QString file; // absolute; the program's fixed path unless --file names another
    bool force = false;
    bool ifMissing = false;
    std::optional<QString> operatorName;
    std::optional<QString> password;
    std::optional<QString> pool; // winners: numeros, nomes or fotos; all three without it
    bool csv = false;
};

// A command line the tool cannot act on; it exits with status 2.
class UsageError : public Error {
public:
    using Error::Error;
};

// The arguments without the program's name. Throws UsageError.
Arguments ParseArguments(const QStringList& arguments);

QString UsageText();

} // namespace tiravo::db
