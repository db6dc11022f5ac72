#include "store/DatabaseFile.h"

#include "store/Batch.h"
#include "store/Connection.h"
#include "store/ConnectionText.h"
#include "store/Schema.h"

namespace tiravo {

void CreateDatabaseFile(Connection& connection, const QString& path, const QString& password) {
    connection.close();
    connection.setConnectionText(ConnectionTextFor(path) + password);
    connection.create();
    Batch batch(connection);
    for (const QString& statement : CreateTableStatements())
        connection.execute(statement);
}

} // namespace tiravo
