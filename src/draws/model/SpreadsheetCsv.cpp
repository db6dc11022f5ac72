#include "draws/model/SpreadsheetCsv.h"

#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/RecordChain.h"
#include "store/Query.h"
#include "store/Schema.h"
#include "store/VisibleText.h"

#include <QTextStream>

#include <algorithm>

namespace tiravo {

namespace {

const QString kPlace = QStringLiteral("Sorte");

QString Quoted(const QString& text, QChar separator) {
    const bool quote = text.contains(separator) || text.contains(u'"') || text.contains(u'\n') ||
                       text.contains(u'\r');
    if (!quote)
        return text;
    QString doubled = text;
    doubled.replace(u'"', QLatin1String("\"\""));
    return u'"' + doubled + u'"';
}

bool RunsAsFormula(const QString& text) {
    if (text.isEmpty())
        return false;
    switch (text.front().unicode()) {
    case u'=':
    case u'+':
    case u'-':
    case u'@':
    case u'\t':
    case u'\r':
        return true;
    default:
        return false;
    }
}

template <typename T> QString Optional(const std::optional<T>& value) {
    if (!value)
        return {};
    if constexpr (std::is_same_v<T, QString>)
        return *value;
    else
        return QString::number(*value);
}

bool IsNumberPool(const QString& poolName) {
    return poolName == NumberPool().name;
}

} // namespace

QString CsvText(const QString& text, const CsvFormat& format) {
    if (format.texts == CsvTexts::Raw)
        return Quoted(text, format.separator);
    const QString shown = EscapeText(text, TextEscapes::CsvCell);
    return Quoted(RunsAsFormula(shown) ? u'\'' + shown : shown, format.separator);
}

QString CsvNumber(const QString& number, const CsvFormat& format) {
    // A number read from the record is text in the file, and the file may
    // have been written by hand.
    return Quoted(format.texts == CsvTexts::Raw ? number : EscapeText(number, TextEscapes::CsvCell),
                  format.separator);
}

void BeginCsv(QTextStream& out) {
    out << QChar(u'\uFEFF');
}

void WriteCsvRecord(const QStringList& cells, const CsvFormat& format, QTextStream& out) {
    out << cells.join(format.separator) << QLatin1String("\r\n");
}

std::vector<Winner> ReadWinners(Connection& connection, const PoolDescription& pool) {
    // The draw screens' own query, so that the list and its order are theirs.
    Query winners(connection, pool.winnersSql());
    winners.open();
    const PrizePlan plan = ReadPrizePlan(connection, pool);
    std::vector<Winner> result;
    for (winners.first(); !winners.eof(); winners.next()) {
        Winner winner{
            winners.field(kPlace).asString(), winners.field(pool.entryColumn).asString(), {}};
        bool number = false;
        const std::int64_t place = winner.place.toLongLong(&number);
        if (const Prize* prize = number ? plan.prizeOfPlace(place) : nullptr)
            winner.prize = prize->description;
        result.push_back(std::move(winner));
    }
    return result;
}

void WriteWinnersCsv(Connection& connection, const std::vector<const PoolDescription*>& pools,
                     const CsvFormat& format, QTextStream& out) {
    const bool several = pools.size() > 1;
    const bool prizes = std::any_of(pools.begin(), pools.end(), [&](const PoolDescription* pool) {
        return !ReadPrizePlan(connection, *pool).empty();
    });
    BeginCsv(out);
    QStringList header = several
                             ? QStringList{QStringLiteral("Pool"), kPlace, QStringLiteral("Entry")}
                             : QStringList{kPlace, pools.front()->entryColumn};
    if (prizes)
        header << kPrizeColumn;
    WriteCsvRecord(header, format, out);
    for (const PoolDescription* pool : pools) {
        for (const Winner& winner : ReadWinners(connection, *pool)) {
            const QString entry = IsNumberPool(pool->name) ? CsvNumber(winner.entry, format)
                                                           : CsvText(winner.entry, format);
            QStringList cells{CsvNumber(winner.place, format), entry};
            if (several)
                cells.prepend(CsvText(pool->name, format));
            if (prizes)
                cells << CsvText(winner.prize, format);
            WriteCsvRecord(cells, format, out);
        }
    }
}

void WriteRecordCsv(const std::vector<RecordRow>& rows, const CsvFormat& format, QTextStream& out) {
    BeginCsv(out);
    QStringList header;
    const std::vector<Column>& columns = TableNamed(kRecordTable).columns;
    for (std::size_t i = 1; i < columns.size(); ++i)
        header << columns[i].name;
    WriteCsvRecord(header, format, out);
    for (const RecordRow& row : rows) {
        const QString entry = Optional(row.entry);
        WriteCsvRecord(
            {CsvNumber(QString::number(row.sequence), format), CsvText(row.moment, format),
             CsvText(row.offset, format), CsvText(row.operatorName, format),
             CsvText(row.pool, format), CsvText(row.action, format),
             CsvNumber(Optional(row.item), format),
             IsNumberPool(row.pool) ? CsvNumber(entry, format) : CsvText(entry, format),
             CsvNumber(Optional(row.place), format), CsvNumber(Optional(row.available), format),
             CsvNumber(Optional(row.count), format), CsvText(Optional(row.fingerprint), format),
             CsvText(row.previousHash, format), CsvText(row.hash, format)},
            format, out);
    }
}

} // namespace tiravo
