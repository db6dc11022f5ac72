#pragma once

#include "draws/model/ForwardingStage.h"
#include "draws/model/RecordChain.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tiravo {

// How long a batch holds each of its winners on the screen: long enough to
// be read out, short enough that 450 prizes do not take the evening.
inline constexpr int kBatchWinnerMilliseconds = 1000;

// The fewest draws a batch makes; one draw is "Fazer Sorteio".
inline constexpr int kBatchMinimum = 2;

// The draws of one "Sortear vários..." as the record knows them. Each draw
// appends its own record row in its own transaction; the rows name the
// batch by the Sequencia of its first row, which names itself.
class BatchRecord {
public:
    // The Sequencia the next row names, none before the first is stored.
    std::optional<std::int64_t> first() const { return first_; }
    // The row the running draw appended inside its transaction: it belongs
    // to the batch only once the draw is stored (kept()).
    void appended(const RecordRow& row) { appended_ = row; }
    // The running draw is stored: its row is the batch's.
    void kept();
    // A draw begins: a row left by a draw that was undone is not the batch's.
    void beginDraw() { appended_.reset(); }

    // The rows of the draws stored, oldest first.
    const std::vector<RecordRow>& rows() const { return rows_; }

private:
    std::optional<std::int64_t> first_;
    std::optional<RecordRow> appended_;
    std::vector<RecordRow> rows_;
};

// The shortened show of a batch. The first draw keeps its teaser; the ones
// after it go from their frames straight to the winner. Every winner is held
// for kBatchWinnerMilliseconds, and `revealed` runs as it is revealed: the
// draw is stored by then, so the list of the batch's winners can take it.
class BatchStage final : public ForwardingStage {
public:
    BatchStage(DrawStage& stage, bool firstOfBatch, std::function<void()> revealed)
        : ForwardingStage(stage), first_(firstOfBatch), revealed_(std::move(revealed)) {}

    void showTeaser(int milliseconds) override;
    void holdEntry(int place) override;
    void showEntry(int place, int milliseconds) override;

private:
    bool first_;
    bool winnerHeld_ = false;
    std::function<void()> revealed_;
};

} // namespace tiravo
