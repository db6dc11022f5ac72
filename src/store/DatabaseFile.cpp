#include "store/DatabaseFile.h"

#include "store/Connection.h"
#include "store/ConnectionText.h"
#include "store/Schema.h"
#include "store/WriteScope.h"

namespace tiravo {

void CreateDatabaseFile(Connection& connection, const QString& path, const QString& password) {
    connection.close();
    connection.setConnectionText(ConnectionTextFor(path) + password);
    connection.create();
    // A file with some of its tables is no file of the program's.
    WriteScope tables(connection, WriteScope::Keeps::AllOrNothing);
    for (const QString& statement : CreateTableStatements())
        connection.execute(statement);
    tables.commit();
}

} // namespace tiravo
