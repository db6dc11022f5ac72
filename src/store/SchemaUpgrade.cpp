#include "store/SchemaUpgrade.h"

#include "store/Connection.h"
#include "store/Schema.h"
#include "store/SqlStatement.h"
#include "store/WriteScope.h"

namespace tiravo {

int SchemaVersion(Connection& connection) {
    SqlStatement& version = connection.statement(QStringLiteral("PRAGMA user_version"));
    const int result =
        version.step() ? int(std::get<std::int64_t>(version.column(0, ColumnType::Integer))) : 0;
    version.reset();
    return result;
}

void UpgradeSchema(Connection& connection) {
    const int version = SchemaVersion(connection);
    if (version >= kSchemaVersion)
        return;
    // A file this program may not write still opens to be looked at when
    // all it lacks are the prize plans and the presentation settings: it
    // reads as having no plans and the settings as they start.
    if (version >= 2 && connection.readOnly())
        return;
    // Whole or not at all: a record table without its triggers is no
    // upgrade.
    WriteScope upgrade(connection, WriteScope::Keeps::AllOrNothing);
    // Another copy may have upgraded the file while this one waited for the
    // lock.
    const int found = SchemaVersion(connection);
    if (found < 1)
        for (const QString& statement : RecordTableStatements())
            connection.execute(statement);
    if (found < 2)
        for (const QString& statement : CreateIndexStatements())
            connection.execute(statement);
    if (found < 3)
        connection.execute(PrizeTableStatement());
    if (found < 4)
        connection.execute(PresentationTableStatement());
    if (found < kSchemaVersion)
        connection.execute(QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion));
    upgrade.commit();
}

} // namespace tiravo
