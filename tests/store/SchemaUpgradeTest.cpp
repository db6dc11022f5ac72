// A file made before the record of draws, opened by this version.
#include "store/SchemaUpgrade.h"
#include "store/Connection.h"
#include "store/ConnectionText.h"
#include "store/DatabasePassword.h"
#include "store/Query.h"
#include "store/Schema.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

// What the previous `tiravo-db create` wrote: the five tables, version 0.
void MakeOldFile(const QString& path) {
    Connection old;
    old.setConnectionText(ConnectionTextFor(path) + JoinDatabasePassword());
    old.create();
    for (const QString& statement : CreateTableStatements())
        if (statement.startsWith("CREATE TABLE") && !statement.contains(kRecordTable))
            old.execute(statement);
    old.execute("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES ('Ana', 'abcd', 1, 1)");
    old.execute("INSERT INTO Usuario (Nome, Senha) VALUES ('ana', 'x')");
}

QStringList Schema(Connection& connection) {
    Query schema(connection, {"SELECT type || ' ' || name FROM sqlite_master ORDER BY name"});
    schema.open();
    QStringList names;
    for (schema.first(); !schema.eof(); schema.next())
        names << schema.field(0).asString();
    return names;
}

TEST(SchemaUpgrade, AnOldFileGetsTheRecordOnceAndKeepsEverythingElse) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zodizi.db");
    MakeOldFile(path);
    Connection first;
    first.setConnectionText(ConnectionTextFor(path) + JoinDatabasePassword());
    Connection second;
    second.setConnectionText(first.connectionText());
    first.open();
    second.open(); // finds the file upgraded and leaves it alone
    EXPECT_EQ(SchemaVersion(second), kSchemaVersion);
    EXPECT_EQ(Schema(second),
              QStringList({"table TbFoto", "index TbFoto_Winners", "table TbImage", "table TbNome",
                           "index TbNome_Winners", "table TbNumero", "index TbNumero_Winners",
                           "table TbRegistro", "trigger TbRegistro_DELETE",
                           "trigger TbRegistro_UPDATE", "table Usuario", "table sqlite_sequence"}));
    Query names(second, {"SELECT Cod, Nome, Ordem, Ok, Ativo, Sorte FROM TbNome"});
    names.open();
    EXPECT_EQ(names.recordCount(), 1);
    EXPECT_EQ(names.field("Nome").asString(), "Ana");
    EXPECT_EQ(names.field("Ordem").asString(), "abcd");
    Query record(second, {"SELECT count(*) FROM TbRegistro"});
    record.open();
    EXPECT_EQ(record.field(0).asInteger(), 0);
}

} // namespace
} // namespace tiravo
