#pragma once

#include "draws/model/AvailableEntries.h"
#include "platform/Pause.h"

#include <exception>
#include <memory>
#include <optional>

namespace tiravo {

class Connection;
struct PoolDescription;
class Random;
class TableView;

// The one place that fits a draw's own work into its pauses. What the
// audience would otherwise wait for once the winner is shown (a new key for
// every entry left in the pool, the fingerprint of the pool that the winner's
// record row names, and the copying into the file of the log that the
// previous draw left) is done a slice at a time while the frames, the
// teaser and the reveal stand on the screen. The three draw screens run each
// draw, and the hidden pick, with one; what the pauses leave undone is done by
// finish().
//
// The new keys go into one transaction, which the winner's own write joins:
// commit() stores them together, and a crash or an error before it leaves
// nothing of the draw. Until then the pool view shows its rows as before.
class DrawWork final : public WorkInPauses {
public:
    // Installs itself on `pause` until it is destroyed; undoes on destruction
    // what was not committed.
    DrawWork(Pause& pause, Connection& connection);
    ~DrawWork() override;
    DrawWork(const DrawWork&) = delete;
    DrawWork& operator=(const DrawWork&) = delete;

    // New keys from fresh entropy, as ReshufflePool gives them, for every
    // row of `pool` but the one at `winnerPlace`, which leaves the pool.
    void reshuffle(TableView& pool, int winnerPlace, Random& random);

    // For a pick that makes no keys: the pool's available entries are read
    // in its pauses all the same, outside any transaction; the pick's write
    // takes them only while no other program has committed since.
    void readAvailable(TableView& pool);

    // The pool's available entries as they were before the draw, read in
    // the pauses for the winner's record row; null until every one is read,
    // and once the keys' transaction has ended.
    const AvailableEntries* availableBefore() const;

    bool workUntil(Deadline deadline) override;
    // Does what the pauses left; an error a slice met goes on from here.
    void finish();
    // Stores the keys together with everything written since they began,
    // and the pool view takes them and is ordered by them again.
    void commit();
    // Undoes every write since the keys began; the pool keeps its old keys.
    void rollback() noexcept;

private:
    bool slice();
    bool readEntries();

    Pause& pause_;
    Connection& connection_;
    bool logCopied_ = false;
    struct Reshuffle;
    std::unique_ptr<Reshuffle> reshuffle_;
    const PoolDescription* pickPool_ = nullptr;
    std::optional<AvailableEntriesReading> entries_;
    std::optional<AvailableEntries> before_;
    std::exception_ptr failure_;
};

} // namespace tiravo
