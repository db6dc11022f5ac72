#pragma once

#include <QStringList>

namespace tiravo {
class Connection;
}

namespace tiravo::db {

struct CheckResult {
    bool passed = false;
    QStringList lines; // the engine's own report, "ok" when it passes
};

// The engine's integrity check of every page that holds rows or indexes. A
// page that fails to decrypt makes the check throw the engine's error rather
// than report it.
CheckResult CheckIntegrity(Connection& connection);

} // namespace tiravo::db
