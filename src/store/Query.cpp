#include "store/Query.h"

#include "common/Error.h"
#include "store/Connection.h"
#include "store/Dialect.h"
#include "store/Schema.h"

#include <QRegularExpression>

namespace tiravo {

namespace {

// The one table a query reads, when it reads just one that the schema knows.
QString TableOf(const QString& sql) {
    static const QRegularExpression from(
        QStringLiteral(
            R"re(\bfrom\s+"?([A-Za-z_][A-Za-z0-9_]*)"?\s*(?:$|where\b|order\b|group\b))re"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = from.match(sql.simplified());
    if (!match.hasMatch())
        return {};
    for (const TableSchema& table : Tables())
        if (table.name.compare(match.captured(1), Qt::CaseInsensitive) == 0)
            return table.name;
    return {};
}

} // namespace

Query::Query(Connection& connection, QStringList sql) : Dataset(connection), sql_(std::move(sql)) {}

void Query::setSql(QStringList lines) {
    close();
    sql_ = std::move(lines);
}

void Query::requery() {
    close();
    open();
}

void Query::execSql() {
    connection().execute(sql_.join(u'\n'));
}

Value Query::highestInFile(const QString& column) {
    SqlStatement& statement = connection().statement(
        ToEngineSql(QStringLiteral("SELECT MAX(\"%1\") FROM (%2)").arg(column, sql_.join(u'\n'))));
    Value highest;
    if (statement.step())
        highest = statement.column(0, ColumnType::Integer);
    statement.reset();
    return highest;
}

FlatRows Query::load() {
    const QString text = sql_.join(u'\n');
    table_ = TableOf(text);
    const TableSchema* schema = table_.isEmpty() ? nullptr : &TableNamed(table_);
    SqlStatement& statement = connection().statement(ToEngineSql(text));
    columns_.clear();
    for (int i = 0; i < statement.columnCount(); ++i) {
        const QString name = statement.columnName(i);
        const Column* known = schema ? schema->find(name) : nullptr;
        columns_.push_back(known ? *known : Column{name, ColumnType::Text, 0, false, {}});
    }
    return readRows(statement);
}

} // namespace tiravo
