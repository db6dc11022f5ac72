#include "Winners.h"

#include "draws/model/PoolDescription.h"
#include "store/Query.h"

#include <QTextStream>

#include <algorithm>

namespace tiravo::db {

namespace {

const QString kPlace = QStringLiteral("Sorte");

// Spreadsheets take a CSV file for the local 8-bit code page unless it begins
// with the byte order mark; with it the accents of the names survive.
constexpr char16_t kByteOrderMark = u'\uFEFF';

// On paper one winner keeps to one line, whatever a typed name holds.
QString OneLine(QString text) {
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return text;
}

void WriteText(const WinnerPool& pool, const std::vector<Winner>& winners, QTextStream& out) {
    if (winners.empty()) {
        out << pool.name << QLatin1String(": no winners\n\n");
        return;
    }
    out << pool.name << QLatin1String(": ") << winners.size()
        << (winners.size() == 1 ? QLatin1String(" winner\n") : QLatin1String(" winners\n"));
    qsizetype width = kPlace.size();
    for (const Winner& winner : winners)
        width = std::max(width, winner.place.size());
    out << kPlace.leftJustified(width) << QLatin1String("  ") << pool.entry << '\n';
    for (const Winner& winner : winners)
        out << winner.place.rightJustified(width) << QLatin1String("  ") << OneLine(winner.entry)
            << '\n';
    out << '\n';
}

void WriteCsvRecord(const QStringList& fields, QTextStream& out) {
    QStringList quoted;
    for (const QString& field : fields)
        quoted << CsvField(field);
    out << quoted.join(u',') << QLatin1String("\r\n");
}

} // namespace

const std::vector<WinnerPool>& WinnerPools() {
    static const std::vector<WinnerPool> pools = [] {
        std::vector<WinnerPool> all;
        for (const PoolDescription* pool : Pools())
            all.push_back({pool->name, pool->entryColumn, pool->winnersSql()});
        return all;
    }();
    return pools;
}

const WinnerPool* WinnerPoolNamed(const QString& name) {
    for (const WinnerPool& pool : WinnerPools())
        if (pool.name == name)
            return &pool;
    return nullptr;
}

std::vector<Winner> ReadWinners(Connection& connection, const WinnerPool& pool) {
    // The draw screens' own query, so that the list and its order are theirs.
    Query winners(connection, pool.winnersSql);
    winners.open();
    std::vector<Winner> result;
    for (winners.first(); !winners.eof(); winners.next())
        result.push_back({winners.field(kPlace).asString(), winners.field(pool.entry).asString()});
    return result;
}

QString CsvField(const QString& text) {
    const bool quote =
        text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r');
    if (!quote)
        return text;
    QString doubled = text;
    doubled.replace(u'"', QLatin1String("\"\""));
    return u'"' + doubled + u'"';
}

void WriteWinners(Connection& connection, const std::vector<WinnerPool>& pools,
                  WinnersFormat format, QTextStream& out) {
    const bool several = pools.size() > 1;
    if (format == WinnersFormat::Csv) {
        out << QChar(kByteOrderMark);
        WriteCsvRecord(several
                           ? QStringList{QStringLiteral("Pool"), kPlace, QStringLiteral("Entry")}
                           : QStringList{kPlace, pools.front().entry},
                       out);
    }
    for (const WinnerPool& pool : pools) {
        const std::vector<Winner> winners = ReadWinners(connection, pool);
        if (format == WinnersFormat::Text) {
            WriteText(pool, winners, out);
            continue;
        }
        for (const Winner& winner : winners)
            WriteCsvRecord(several ? QStringList{pool.name, winner.place, winner.entry}
                                   : QStringList{winner.place, winner.entry},
                           out);
    }
}

} // namespace tiravo::db
