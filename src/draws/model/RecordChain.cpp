#include "draws/model/RecordChain.h"

#include "store/Connection.h"
#include "store/DumpText.h"
#include "store/Schema.h"
#include "store/SqlStatement.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QTimeZone>

#include <charconv>

namespace tiravo {

namespace {

Value Optional(const std::optional<std::int64_t>& number) {
    return number ? Value(*number) : Value();
}
Value Optional(const std::optional<QString>& text) {
    return text ? Value(*text) : Value();
}

std::optional<std::int64_t> NumberOf(const Value& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return *number;
    return std::nullopt;
}
std::optional<QString> TextOf(const Value& value) {
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    return std::nullopt;
}

} // namespace

QDateTime RecordRow::localMoment() const {
    QDateTime utc = QDateTime::fromString(moment, Qt::ISODateWithMs);
    const QTime zone = QTime::fromString(offset.mid(1), QStringLiteral("HH:mm"));
    int seconds = zone.isValid() ? zone.msecsSinceStartOfDay() / 1000 : 0;
    if (offset.startsWith(u'-'))
        seconds = -seconds;
    return utc.toTimeZone(QTimeZone(seconds));
}

std::vector<Value> HashedFields(const RecordRow& row) {
    return {row.sequence,
            row.moment,
            row.offset,
            row.operatorName,
            row.pool,
            row.action,
            Optional(row.item),
            Optional(row.entry),
            Optional(row.place),
            Optional(row.available),
            Optional(row.count),
            Optional(row.fingerprint),
            row.previousHash};
}

QString RowHash(const RecordRow& row) {
    const std::vector<Column>& columns = TableNamed(kRecordTable).columns;
    const std::vector<Value> fields = HashedFields(row);
    QStringList texts;
    // The columns after Cod, up to the hash itself.
    for (std::size_t i = 0; i < fields.size(); ++i)
        texts << DumpFieldText(columns[i + 1], fields[i], TextEscapes::RecordHash);
    return QString::fromLatin1(
        QCryptographicHash::hash(texts.join(u'\t').toUtf8(), QCryptographicHash::Sha256).toHex());
}

void AppendFingerprintLine(QByteArray& lines, std::int64_t cod, const Value& entry) {
    char digits[24];
    const auto end = [&digits](std::int64_t number) {
        return std::to_chars(digits, digits + sizeof digits, number).ptr;
    };
    lines.append(digits, end(cod) - digits);
    lines += '\t';
    if (const auto* number = std::get_if<std::int64_t>(&entry))
        lines.append(digits, end(*number) - digits);
    else
        lines += DumpFieldText(Column{}, entry, TextEscapes::RecordHash).toUtf8();
    lines += '\n';
}

QByteArray FingerprintLine(std::int64_t cod, const Value& entry) {
    QByteArray line;
    AppendFingerprintLine(line, cod, entry);
    return line;
}

QString FingerprintOf(const QByteArray& lines) {
    return QString::fromLatin1(QCryptographicHash::hash(lines, QCryptographicHash::Sha256).toHex());
}

std::vector<RecordRow> ReadRecord(Connection& connection) {
    const std::vector<Column>& columns = TableNamed(kRecordTable).columns;
    QStringList names;
    for (const Column& column : columns)
        names << u'"' + column.name + u'"';
    SqlStatement& select =
        connection.statement(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY \"Cod\"")
                                 .arg(names.join(", "), kRecordTable));
    std::vector<RecordRow> rows;
    while (select.step()) {
        std::vector<Value> v;
        for (std::size_t i = 0; i < columns.size(); ++i)
            v.push_back(select.column(int(i), columns[i].type));
        RecordRow row;
        row.cod = NumberOf(v[0]).value_or(0);
        row.sequence = NumberOf(v[1]).value_or(0);
        row.moment = TextOf(v[2]).value_or(QString());
        row.offset = TextOf(v[3]).value_or(QString());
        row.operatorName = TextOf(v[4]).value_or(QString());
        row.pool = TextOf(v[5]).value_or(QString());
        row.action = TextOf(v[6]).value_or(QString());
        row.item = NumberOf(v[7]);
        row.entry = TextOf(v[8]);
        row.place = NumberOf(v[9]);
        row.available = NumberOf(v[10]);
        row.count = NumberOf(v[11]);
        row.fingerprint = TextOf(v[12]);
        row.previousHash = TextOf(v[13]).value_or(QString());
        row.hash = TextOf(v[14]).value_or(QString());
        rows.push_back(std::move(row));
    }
    select.reset();
    return rows;
}

} // namespace tiravo
