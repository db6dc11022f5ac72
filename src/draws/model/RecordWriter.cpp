#include "draws/model/RecordWriter.h"

#include "draws/model/PoolDescription.h"
#include "store/Column.h"
#include "store/Connection.h"
#include "store/Schema.h"
#include "store/SqlStatement.h"

#include <cstdlib>

namespace tiravo {

namespace {

QString OffsetText(int seconds) {
    const QChar sign = seconds < 0 ? u'-' : u'+';
    seconds = std::abs(seconds);
    return QStringLiteral("%1%2:%3")
        .arg(sign)
        .arg(seconds / 3600, 2, 10, QChar(u'0'))
        .arg(seconds / 60 % 60, 2, 10, QChar(u'0'));
}

// The sequence and hash of the chain's last row, or those a first row follows.
void FollowLastRow(Connection& connection, RecordRow& row) {
    SqlStatement& last = connection.statement(
        QStringLiteral("SELECT \"Sequencia\", \"Hash\" FROM \"%1\" ORDER BY \"Cod\" DESC LIMIT 1")
            .arg(kRecordTable));
    row.sequence = 1;
    row.previousHash = kFirstPreviousHash;
    if (last.step()) {
        const Value sequence = last.column(0, ColumnType::Integer);
        if (const auto* number = std::get_if<std::int64_t>(&sequence))
            row.sequence = *number + 1;
        row.previousHash = std::get<QString>(last.column(1, ColumnType::Text));
    }
    last.reset();
}

void Insert(Connection& connection, const RecordRow& row) {
    const std::vector<Column>& columns = TableNamed(kRecordTable).columns;
    QStringList names;
    QStringList marks;
    for (std::size_t i = 1; i < columns.size(); ++i) {
        names << u'"' + columns[i].name + u'"';
        marks << QStringLiteral("?");
    }
    SqlStatement& insert =
        connection.statement(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                 .arg(kRecordTable, names.join(", "), marks.join(", ")));
    std::vector<Value> values = HashedFields(row);
    values.push_back(row.hash);
    for (std::size_t i = 0; i < values.size(); ++i)
        insert.bind(int(i) + 1, values[i]);
    insert.step();
    insert.reset();
}

} // namespace

RecordRow AppendRecordRow(Connection& connection, RecordRow row, CountIs count) {
    FollowLastRow(connection, row);
    if (count == CountIs::OwnSequence)
        row.count = row.sequence;
    const QDateTime now = connection.now();
    row.moment = now.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzzZ"));
    row.offset = OffsetText(now.offsetFromUtc());
    row.operatorName = CutToWidth(connection.operatorName(), 30);
    if (row.entry)
        row.entry = CutToWidth(*row.entry, 200);
    row.hash = RowHash(row);
    Insert(connection, row);
    return row;
}

std::int64_t CountAvailable(Connection& connection, const PoolDescription& pool) {
    SqlStatement& count = connection.statement(
        QStringLiteral("SELECT count(*) FROM \"%1\" WHERE \"Ok\" = 1").arg(pool.table));
    count.step();
    const std::int64_t result = std::get<std::int64_t>(count.column(0, ColumnType::Integer));
    count.reset();
    return result;
}

} // namespace tiravo
