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

// What a batch's draw throws when Esc, pressed while the winner before it
// stood on the screen, stops the batch before the draw has shown anything:
// the draw stores nothing, as any draw ended by an error.
struct BatchStopped {};

// The winner a batch has just revealed, held on the screen while the next
// draw's work begins behind it. A draw of a large pool has more keys to write
// than its frames last, and in a single draw the suspense gives them the
// time; a batch's later draws have no suspense, so they take it from the
// second the winner before them stands. The audience sees the same show.
class WinnerHold {
public:
    // `stopAsked` answers whether the operator asked to stop the batch;
    // `held` runs once a winner's second is over.
    WinnerHold(std::function<bool()> stopAsked, std::function<void()> held)
        : stopAsked_(std::move(stopAsked)), held_(std::move(held)) {}

    // A winner has just been painted, and is not held yet.
    void shown() { waiting_ = true; }
    bool waiting() const { return waiting_; }
    // Holds the winner waiting, if any, for kBatchWinnerMilliseconds of
    // `pause` (and of the work the pause carries). Then, when `mayStop` and
    // the operator asked to stop, throws BatchStopped.
    void hold(Pause& pause, bool mayStop);

private:
    std::function<bool()> stopAsked_;
    std::function<void()> held_;
    bool waiting_ = false;
};

// The shortened show of a batch. The first draw keeps its teaser; the ones
// after it go from their frames straight to the winner. Every winner is held
// for kBatchWinnerMilliseconds through `hold`: the next draw holds it as it
// begins, the batch holds the last one. `revealed` runs as a winner is
// revealed: the draw is stored by then, so the list of the batch's winners
// can take it.
class BatchStage final : public ForwardingStage {
public:
    BatchStage(DrawStage& stage, bool firstOfBatch, WinnerHold& hold,
               std::function<void()> revealed)
        : ForwardingStage(stage), first_(firstOfBatch), hold_(hold),
          revealed_(std::move(revealed)) {}

    void showTeaser(int milliseconds) override;
    void holdEntry(int place) override;
    void showEntry(int place, int milliseconds) override;
    // The first thing every draw tells its stage, once its work has begun.
    void expectEntries(const std::vector<int>& places) override;

private:
    bool first_;
    WinnerHold& hold_;
    bool winnerHeld_ = false;
    std::function<void()> revealed_;
};

} // namespace tiravo
