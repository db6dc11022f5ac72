#include "Prizes.h"

#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "store/VisibleText.h"

#include <QTextStream>

#include <algorithm>

namespace tiravo::db {

namespace {

QString PlacesShown(const Prize& prize) {
    if (prize.firstPlace == prize.lastPlace)
        return QString::number(prize.firstPlace);
    return QStringLiteral("%1-%2").arg(prize.firstPlace).arg(prize.lastPlace);
}

void WritePlan(const PoolDescription& pool, const PrizePlan& plan, QTextStream& out) {
    if (plan.empty()) {
        out << pool.name << QLatin1String(": no prize plan\n\n");
        return;
    }
    out << pool.name << QLatin1String(": ") << plan.prizes.size()
        << (plan.prizes.size() == 1 ? QLatin1String(" prize, ") : QLatin1String(" prizes, "))
        << plan.places()
        << (plan.places() == 1 ? QLatin1String(" place\n") : QLatin1String(" places\n"));
    const QString places = QStringLiteral("Places");
    const QString quantity = QStringLiteral("Quantity");
    qsizetype width = places.size();
    for (const Prize& prize : plan.prizes)
        width = std::max(width, PlacesShown(prize).size());
    out << places.leftJustified(width) << QLatin1String("  ") << quantity
        << QLatin1String("  Prize\n");
    for (const Prize& prize : plan.prizes)
        // A description changed by hand in the file cannot drive the terminal.
        out << PlacesShown(prize).leftJustified(width) << QLatin1String("  ")
            << QString::number(prize.quantity).rightJustified(quantity.size())
            << QLatin1String("  ") << EscapeText(prize.description, TextEscapes::Readable) << '\n';
    out << '\n';
}

} // namespace

void WritePrizePlans(Connection& connection, const std::vector<const PoolDescription*>& pools,
                     QTextStream& out) {
    for (const PoolDescription* pool : pools)
        WritePlan(*pool, ReadPrizePlan(connection, *pool), out);
}

} // namespace tiravo::db
