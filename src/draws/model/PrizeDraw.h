#pragma once

#include "draws/model/ForwardingStage.h"

#include <functional>

namespace tiravo {

class Connection;
struct PoolDescription;
struct PrizePlan;

// The question "Fazer Sorteio" asks once every place of the plan has a winner.
inline const QString kEveryPrizeDrawnQuestion =
    QStringLiteral("Todos os prêmios do plano já foram sorteados. Sortear mesmo assim?");

// Whether every place of `plan` has a winner in the pool's winners list as
// the file holds it now. False for an empty plan.
bool EveryPrizeDrawn(Connection& connection, const PoolDescription& pool, const PrizePlan& plan);
// The places of `plan` that have no winner in the file now.
int PlacesWithoutWinner(Connection& connection, const PoolDescription& pool, const PrizePlan& plan);

// A draw's stage that runs `announce` once, as the suspense begins (the
// teaser of a draw from one entry): from there on the place and the prize
// are on the screen. Everything else goes to `stage` as it is.
class AnnouncingStage final : public ForwardingStage {
public:
    AnnouncingStage(DrawStage& stage, std::function<void()> announce)
        : ForwardingStage(stage), announce_(std::move(announce)) {}

    void showTeaser(int milliseconds) override;

private:
    std::function<void()> announce_;
};

} // namespace tiravo
