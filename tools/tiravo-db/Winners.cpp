#include "Winners.h"

#include <QTextStream>

#include <algorithm>

namespace tiravo::db {

namespace {

const QString kPlace = QStringLiteral("Sorte");

// On paper one winner keeps to one line, whatever a typed name holds.
QString OneLine(QString text) {
    for (QChar& c : text)
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    return text;
}

void WriteText(const PoolDescription& pool, const std::vector<Winner>& winners, QTextStream& out) {
    if (winners.empty()) {
        out << pool.name << QLatin1String(": no winners\n\n");
        return;
    }
    out << pool.name << QLatin1String(": ") << winners.size()
        << (winners.size() == 1 ? QLatin1String(" winner\n") : QLatin1String(" winners\n"));
    qsizetype width = kPlace.size();
    for (const Winner& winner : winners)
        width = std::max(width, winner.place.size());
    out << kPlace.leftJustified(width) << QLatin1String("  ") << pool.entryColumn << '\n';
    for (const Winner& winner : winners)
        out << winner.place.rightJustified(width) << QLatin1String("  ") << OneLine(winner.entry)
            << '\n';
    out << '\n';
}

} // namespace

void WriteWinners(Connection& connection, const std::vector<const PoolDescription*>& pools,
                  WinnersFormat format, CsvTexts texts, QTextStream& out) {
    if (format == WinnersFormat::Csv) {
        WriteWinnersCsv(connection, pools, texts, out);
        return;
    }
    for (const PoolDescription* pool : pools)
        WriteText(*pool, ReadWinners(connection, *pool), out);
}

} // namespace tiravo::db
