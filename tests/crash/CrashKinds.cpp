#include "CrashKinds.h"

#include "store/Connection.h"
#include "store/Query.h"

#include <csignal>

namespace tiravo::crash {

std::vector<CrashKind> AllCrashKinds() {
    return {NumberRangeKind(), ReshuffleKind(), NameImportKind(),
            DrawKind(),        AbsenceKind(),   BatchKind()};
}

void ReadyForKills() {
    raise(SIGSTOP);
}

QStringList BrokenPoolRows(Connection& connection, const QString& table) {
    QStringList problems;
    const qint64 badKeys =
        CountOf(connection, QStringLiteral("Select count(*) From %1 Where Ordem IS NULL Or "
                                           "length(Ordem) <> 4 Or Ordem GLOB '*[^a-z]*'")
                                .arg(table));
    if (badKeys > 0)
        problems << QStringLiteral("%1 rows without a four-letter key").arg(badKeys);
    const qint64 noFlag =
        CountOf(connection, QStringLiteral("Select count(*) From %1 Where Ok IS NULL").arg(table));
    if (noFlag > 0)
        problems << QStringLiteral("%1 rows without Ok").arg(noFlag);
    return problems;
}

} // namespace tiravo::crash
