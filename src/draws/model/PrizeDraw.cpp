#include "draws/model/PrizeDraw.h"

#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "store/Connection.h"
#include "store/SqlStatement.h"

namespace tiravo {

bool EveryPrizeDrawn(Connection& connection, const PoolDescription& pool, const PrizePlan& plan) {
    return !plan.empty() && PlacesWithoutWinner(connection, pool, plan) == 0;
}

int PlacesWithoutWinner(Connection& connection, const PoolDescription& pool,
                        const PrizePlan& plan) {
    if (plan.empty())
        return 0;
    // A place that two rows hold counts once.
    SqlStatement& count = connection.statement(
        QStringLiteral("SELECT count(DISTINCT \"Sorte\") FROM \"%1\" WHERE \"Ativo\" = 1 AND "
                       "\"Ok\" = 0 AND \"Sorte\" BETWEEN 1 AND ?")
            .arg(pool.table));
    count.bind(1, plan.places());
    count.step();
    const std::int64_t drawn = std::get<std::int64_t>(count.column(0, ColumnType::Integer));
    count.reset();
    return drawn >= plan.places() ? 0 : int(plan.places() - drawn);
}

void AnnouncingStage::showTeaser(int milliseconds) {
    if (announce_) {
        const std::function<void()> announce = std::move(announce_);
        announce_ = nullptr;
        announce();
    }
    inner().showTeaser(milliseconds);
}

} // namespace tiravo
