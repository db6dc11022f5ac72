#include "Winners.h"

#include "draws/model/PrizePlan.h"
#include "store/VisibleText.h"

#include <QTextStream>

#include <algorithm>

namespace tiravo::db {

namespace {

const QString kPlace = QStringLiteral("Sorte");

// One winner keeps to one line, and a name cannot drive the terminal.
QString Shown(const QString& text) {
    return EscapeText(text, TextEscapes::Readable);
}

void WriteText(const PoolDescription& pool, const std::vector<Winner>& winners, bool prizes,
               QTextStream& out) {
    if (winners.empty()) {
        out << pool.name << QLatin1String(": no winners\n\n");
        return;
    }
    out << pool.name << QLatin1String(": ") << winners.size()
        << (winners.size() == 1 ? QLatin1String(" winner\n") : QLatin1String(" winners\n"));
    qsizetype width = kPlace.size();
    qsizetype entryWidth = pool.entryColumn.size();
    for (const Winner& winner : winners) {
        width = std::max(width, Shown(winner.place).size());
        entryWidth = std::max(entryWidth, Shown(winner.entry).size());
    }
    // The prize, when the pool has a plan, is the last column, so that a
    // list without one keeps its lines as they were.
    auto line = [&](const QString& place, const QString& entry, const QString& prize) {
        QString text = place + QLatin1String("  ") + entry;
        if (prizes && !prize.isEmpty())
            text = text.leftJustified(width + 2 + entryWidth) + QLatin1String("  ") + prize;
        return text;
    };
    out << line(kPlace.leftJustified(width), pool.entryColumn, prizes ? kPrizeColumn : QString())
        << '\n';
    for (const Winner& winner : winners)
        out << line(Shown(winner.place).rightJustified(width), Shown(winner.entry),
                    Shown(winner.prize))
            << '\n';
    out << '\n';
}

} // namespace

void WriteWinners(Connection& connection, const std::vector<const PoolDescription*>& pools,
                  WinnersFormat format, const CsvFormat& csv, QTextStream& out) {
    if (format == WinnersFormat::Csv) {
        WriteWinnersCsv(connection, pools, csv, out);
        return;
    }
    for (const PoolDescription* pool : pools)
        WriteText(*pool, ReadWinners(connection, *pool), !ReadPrizePlan(connection, *pool).empty(),
                  out);
}

} // namespace tiravo::db
