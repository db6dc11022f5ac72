#include "Check.h"

#include "store/Query.h"

namespace tiravo::db {

CheckResult CheckIntegrity(Connection& connection) {
    Query check(connection, {QStringLiteral("PRAGMA integrity_check")});
    check.open();
    CheckResult result;
    for (check.first(); !check.eof(); check.next())
        result.lines << check.field(0).asString();
    result.passed = result.lines == QStringList{QStringLiteral("ok")};
    return result;
}

} // namespace tiravo::db
