#include "Winners.h"

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

void WriteText(const PoolDescription& pool, const std::vector<Winner>& winners, QTextStream& out) {
    if (winners.empty()) {
        out << pool.name << QLatin1String(": no winners\n\n");
        return;
    }
    out << pool.name << QLatin1String(": ") << winners.size()
        << (winners.size() == 1 ? QLatin1String(" winner\n") : QLatin1String(" winners\n"));
    qsizetype width = kPlace.size();
    for (const Winner& winner : winners)
        width = std::max(width, Shown(winner.place).size());
    out << kPlace.leftJustified(width) << QLatin1String("  ") << pool.entryColumn << '\n';
    for (const Winner& winner : winners)
        out << Shown(winner.place).rightJustified(width) << QLatin1String("  ")
            << Shown(winner.entry) << '\n';
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
        WriteText(*pool, ReadWinners(connection, *pool), out);
}

} // namespace tiravo::db
