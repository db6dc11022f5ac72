#pragma once

#include "draws/model/DrawSkeleton.h"

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

// A draw's stage that runs `announce` once, as the suspense begins (the
// teaser of a draw from one entry): from there on the place and the prize
// are on the screen. Everything else goes to `stage` as it is.
class AnnouncingStage final : public DrawStage {
public:
    AnnouncingStage(DrawStage& stage, std::function<void()> announce)
        : stage_(stage), announce_(std::move(announce)) {}

    Pause& pause() override { return stage_.pause(); }
    void showTeaser(int milliseconds) override;
    void putPlainFrame(bool paint) override { stage_.putPlainFrame(paint); }
    void showEntry(int place, int milliseconds) override { stage_.showEntry(place, milliseconds); }
    void showPickTitle(int milliseconds) override { stage_.showPickTitle(milliseconds); }
    void holdEntry(int place) override { stage_.holdEntry(place); }
    void expectEntries(const std::vector<int>& places) override { stage_.expectEntries(places); }

private:
    DrawStage& stage_;
    std::function<void()> announce_;
};

} // namespace tiravo
