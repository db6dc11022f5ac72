#include "store/Schema.h"

#include "common/Error.h"

namespace tiravo {

namespace {

Column Key() {
    return {QStringLiteral("Cod"), ColumnType::Key, 0, false, {}};
}
Column Integer(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Integer, 0, false, {}};
}
Column Small(const char* name) {
    return {QString::fromLatin1(name), ColumnType::SmallInt, 0, false, {}};
}
Column Boolean(const char* name) {
    return {QString::fromLatin1(name), ColumnType::Boolean, 0, false, {}};
}
Column Text(const char* name, int width, bool required = false) {
    return {QString::fromLatin1(name), ColumnType::Text, width, required, {}};
}

QString SqlType(const Column& column) {
    switch (column.type) {
    case ColumnType::Key:
        return QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT");
    case ColumnType::Integer:
        return QStringLiteral("INTEGER");
    case ColumnType::SmallInt:
        return QStringLiteral("SMALLINT");
    case ColumnType::Boolean:
        return QStringLiteral("BOOLEAN");
    case ColumnType::Text:
        return QStringLiteral("VARCHAR(%1)").arg(column.width);
    }
    return {};
}

} // namespace

const Column* TableSchema::find(const QString& column) const {
    for (const Column& c : columns)
        if (c.name.compare(column, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

const std::vector<TableSchema>& Tables() {
    static const std::vector<TableSchema> tables = {
        {QStringLiteral("TbNumero"),
         {Key(), Integer("Numero"), Text("Ordem", 4), Boolean("Ok"), Boolean("Ativo"),
          Small("Sorte")}},
        {QStringLiteral("TbNome"),
         {Key(), Text("Nome", 40), Text("Ordem", 4), Boolean("Ok"), Boolean("Ativo"),
          Small("CdLista"), Small("Sorte")}},
        {QStringLiteral("TbFoto"),
         {Key(), Text("Foto", 200), Text("Ordem", 4), Boolean("Ok"), Boolean("Ativo"),
          Small("Sorte")}},
        {QStringLiteral("TbImage"),
         {Key(), Text("Logo1", 200), Text("Logo2", 200), Text("Logo3", 200),
          Text("TelaFundo", 200)}},
        {QStringLiteral("Usuario"), {Key(), Text("Nome", 30, true), Text("Senha", 20, true)}},
        // The record of every change of a pool's state: appended, never changed.
        {kRecordTable,
         {Key(), Integer("Sequencia"), Text("Momento", 24), Text("Fuso", 6), Text("Operador", 30),
          Text("Lista", 7), Text("Acao", 20), Integer("Item"), Text("Entrada", 200), Small("Sorte"),
          Integer("Disponiveis"), Integer("Quantidade"), Text("Impressao", 64),
          Text("HashAnterior", 64), Text("Hash", 64)}},
        // The prizes of each pool's plan, in the order of Posicao: the places
        // a prize covers follow from the quantities of those before it.
        {kPrizeTable,
         {Key(), Text("Lista", 7, true), Integer("Posicao"), Text("Descricao", 60, true),
          Integer("Quantidade")}},
        // How the draws are shown, for the whole program: one row at most,
        // none until the settings are first changed.
        {kPresentationTable, {Key(), Boolean("Som"), Boolean("Calmo"), Text("Monitor", 100)}},
    };
    return tables;
}

const TableSchema& TableNamed(const QString& name) {
    for (const TableSchema& table : Tables())
        if (table.name.compare(name, Qt::CaseInsensitive) == 0)
            return table;
    throw Error(QStringLiteral("Unknown table '%1'").arg(name));
}

QString CreateTableStatement(const TableSchema& table) {
    QStringList columns;
    for (const Column& column : table.columns)
        columns << QStringLiteral("\"%1\" %2").arg(column.name, SqlType(column));
    return QStringLiteral("CREATE TABLE \"%1\" (%2)").arg(table.name, columns.join(", "));
}

QStringList RecordTableStatements() {
    QStringList statements{CreateTableStatement(TableNamed(kRecordTable))};
    // The program only ever appends to the record; a change by hand has to
    // drop these first, and the chain of hashes still shows it.
    for (const char* event : {"UPDATE", "DELETE"})
        statements << QStringLiteral("CREATE TRIGGER \"%1_%2\" BEFORE %2 ON \"%1\" BEGIN "
                                     "SELECT RAISE(ABORT, 'The record of draws only takes new "
                                     "rows'); END")
                          .arg(kRecordTable, QLatin1String(event));
    return statements;
}

QString PrizeTableStatement() {
    return CreateTableStatement(TableNamed(kPrizeTable));
}

QString PresentationTableStatement() {
    // A file of the version before that already has the table (made by
    // hand, or by a test) keeps it.
    return CreateTableStatement(TableNamed(kPresentationTable))
        .replace(QStringLiteral("CREATE TABLE"), QStringLiteral("CREATE TABLE IF NOT EXISTS"));
}

QStringList CreateTableStatements() {
    QStringList statements;
    for (const TableSchema& table : Tables())
        if (table.name != kRecordTable)
            statements << CreateTableStatement(table);
    statements << RecordTableStatements();
    statements << CreateIndexStatements();
    statements << QStringLiteral("PRAGMA user_version = %1").arg(kSchemaVersion);
    return statements;
}

QStringList CreateIndexStatements() {
    QStringList statements;
    for (const char* pool : {"TbNumero", "TbNome", "TbFoto"})
        statements << QStringLiteral(
                          "CREATE INDEX IF NOT EXISTS \"%1_Winners\" ON \"%1\" (\"Ativo\", \"Ok\")")
                          .arg(QLatin1String(pool));
    return statements;
}

} // namespace tiravo
