// A file made before the record of draws, opened by this version.
#include "store/SchemaUpgrade.h"
#include "store/Connection.h"
#include "store/ConnectionText.h"
#include "store/DatabasePassword.h"
#include "store/Query.h"
#include "store/Schema.h"

#include <QRegularExpression>
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
        if (statement.startsWith("CREATE TABLE") && !statement.contains(kRecordTable) &&
            !statement.contains(kPrizeTable) && !statement.contains(kPresentationTable))
            old.execute(statement);
    old.execute("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES ('Ana', 'abcd', 1, 1)");
    old.execute("INSERT INTO Usuario (Nome, Senha) VALUES ('ana', 'x')");
}

QStringList Contents(Connection& connection);

// What the version `version` wrote (2: before the prize plans, 3: before the
// presentation settings): everything but the tables that came after it.
// Answers its contents as written.
QStringList MakeFileOfVersion(const QString& path, int version) {
    Connection old;
    old.setConnectionText(ConnectionTextFor(path) + JoinDatabasePassword());
    old.create();
    for (QString statement : CreateTableStatements()) {
        if ((version < 3 && statement.contains(kPrizeTable)) ||
            statement.contains(kPresentationTable))
            continue;
        if (statement.startsWith("PRAGMA user_version"))
            statement = QStringLiteral("PRAGMA user_version = %1").arg(version);
        old.execute(statement);
    }
    old.execute(
        "INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo, Sorte) VALUES (7, 'abcd', 0, 1, 1)");
    return Contents(old);
}

// Every object of the file with its statement, and every row of the tables.
QStringList Contents(Connection& connection) {
    QStringList contents;
    Query schema(connection, {"SELECT type, name, sql FROM sqlite_master ORDER BY name"});
    schema.open();
    QStringList tables;
    for (schema.first(); !schema.eof(); schema.next()) {
        contents << schema.field(0).asString() + ' ' + schema.field(1).asString() + ' ' +
                        schema.field(2).asString();
        if (schema.field(0).asString() == "table")
            tables << schema.field(1).asString();
    }
    for (const QString& table : tables) {
        Query rows(connection, {QStringLiteral("SELECT * FROM %1").arg(table)});
        rows.open();
        for (rows.first(); !rows.eof(); rows.next()) {
            QStringList fields{table};
            for (std::size_t i = 0; i < rows.columns().size(); ++i)
                fields << rows.field(i).asString();
            contents << fields.join(u'|');
        }
    }
    return contents;
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
              QStringList({"table TbApresentacao", "table TbFoto", "index TbFoto_Winners",
                           "table TbImage", "table TbNome", "index TbNome_Winners",
                           "table TbNumero", "index TbNumero_Winners", "table TbPremio",
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

// A file of version 2 gets the prize plans and the presentation settings, one
// of version 3 the settings: their tables, empty, and nothing else.
TEST(SchemaUpgrade, AnEarlierFileGetsTheNewTablesAndNothingElse) {
    for (const int version : {2, 3}) {
        QTemporaryDir dir;
        const QString path = dir.filePath("Zodizi.db");
        const QStringList before = MakeFileOfVersion(path, version);
        Connection upgraded;
        upgraded.setConnectionText(ConnectionTextFor(path) + JoinDatabasePassword());
        upgraded.open();
        EXPECT_EQ(SchemaVersion(upgraded), kSchemaVersion);
        QStringList after = Contents(upgraded);
        QStringList added{"^table TbApresentacao .*"};
        if (version < 3)
            added << "^table TbPremio .*";
        for (const QString& table : added) {
            const qsizetype found = after.indexOf(QRegularExpression(table));
            ASSERT_GE(found, 0) << version << after.join('\n').toStdString();
            after.removeAt(found);
        }
        EXPECT_EQ(after, before) << version;
    }
}

} // namespace
} // namespace tiravo
