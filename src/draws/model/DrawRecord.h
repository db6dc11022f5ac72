#pragma once

#include "store/Batch.h"
#include "store/Value.h"

#include <QString>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <vector>

namespace tiravo {

struct AvailableEntries;
class Connection;
class Dataset;
struct PoolDescription;

// What an operator did to a pool, as the record names it.
enum class RecordAction {
    Draw,        // "Fazer Sorteio"
    HiddenPick,  // "Quem Será": out of the pool without a place
    TakeOut,     // the name editor's ">>>": into the winners list by hand
    Return,      // the name editor's "<<<": back from the winners list
    NameAdded,   // the name editor's "Incluir", and an entry typed into an editor's grid
    NameRemoved, // the name editor's "Remover", and a row deleted in an editor's grid
    Clear,       // "Limpar Lista", "Excluir Lista"
    Release,     // "Liberar Todos"
    Import,      // the name editor's "Importar"
    Range,       // the number editor's range
    Photos,      // the photo editor's folder
    Edit,        // an entry's text changed in an editor's grid or edit box
};

QString RecordActionText(RecordAction action);
// Whether rows of this action name one entry (and carry a fingerprint).
bool IsEntryAction(const QString& actionText);
// Whether the entry gets a place in the winners list by this action.
bool IsDrawAction(const QString& actionText);

// The one place that writes the record. A pool move opens one of these
// before it writes, and the record row goes into the same transaction as the
// change: a crash, a full disk or another error leaves both or neither. The
// sequence number and the previous hash are read inside that transaction,
// which holds the write lock, so two copies of the program on one file
// append to one chain.

// Whether a recorded action (a move or a bulk action below) is open on
// `connection`: the rows written meanwhile are its own.
bool RecordedActionOpen(const Connection& connection);

// Marks a recorded action open on its connection while it lives.
class OpenRecordedAction {
public:
    explicit OpenRecordedAction(const Connection& connection);
    ~OpenRecordedAction();
    OpenRecordedAction(const OpenRecordedAction&) = delete;
    OpenRecordedAction& operator=(const OpenRecordedAction&) = delete;

private:
    const Connection& connection_;
};

// One entry of a pool changing state. Opening it takes the write lock and
// reads the pool's available entries, their count and fingerprint, as they
// are before the change, unless `before` holds them still: a draw reads them
// while its frames are on the screen. `showing` are the views that show the
// change: when the change is undone for want of its record row, they are
// read again.
class RecordedMove {
public:
    RecordedMove(Dataset& pool, std::initializer_list<Dataset*> showing,
                 const AvailableEntries* before = nullptr);
    // For a change that leaves the same entries available (an entry's text
    // edited): the row names their count without a fingerprint.
    struct CountOnly {};
    RecordedMove(Dataset& pool, std::initializer_list<Dataset*> showing, CountOnly);
    ~RecordedMove();
    RecordedMove(const RecordedMove&) = delete;
    RecordedMove& operator=(const RecordedMove&) = delete;

    // The row `item` (its Cod) was written and holds its entry still: the
    // record row follows, naming the entry, and for a draw its place, as the
    // file now holds them, whatever text the view was given.
    void stored(RecordAction action, std::int64_t item);
    // The same for a row that no longer holds its entry (made a free slot, or
    // deleted): the record row names `entry`, which it held (entryNow()).
    void storedWithout(RecordAction action, std::int64_t item, const Value& entry);
    // The entry the row `item` holds in the file now, inside the move's
    // transaction: read before a write that takes it out of the row.
    Value entryNow(std::int64_t item);

private:
    void append(RecordAction action, std::int64_t item, const Value& entry, const Value& place);

    OpenRecordedAction open_;
    Connection& connection_;
    const PoolDescription* pool_;
    std::vector<Dataset*> showing_;
    Batch batch_;
    std::optional<Savepoint> savepoint_;
    std::int64_t available_ = 0;
    std::optional<QString> fingerprint_;
    int unwinding_;
    bool done_ = false;
};

// A bulk action over a pool: one record row with the count of rows it wrote,
// appended when the action ends, however it ends, as long as it wrote any.
// When the row cannot be appended, the whole action is undone with it.
class RecordedBulk {
public:
    RecordedBulk(Dataset& rows, RecordAction action, std::initializer_list<Dataset*> showing = {});
    // For a statement over the pool table `table`.
    RecordedBulk(Connection& connection, const QString& table, RecordAction action,
                 std::initializer_list<Dataset*> showing = {});
    ~RecordedBulk() noexcept(false);
    RecordedBulk(const RecordedBulk&) = delete;
    RecordedBulk& operator=(const RecordedBulk&) = delete;

    // Whether the action's transaction holds nothing but the action.
    bool ownsTransaction() const { return batch_.ownsTransaction(); }
    // The action's writes so far were undone (a savepoint rolled back): they
    // are not counted as written.
    void undone();

private:
    void append();

    OpenRecordedAction open_;
    Connection& connection_;
    const PoolDescription* pool_;
    RecordAction action_;
    Batch batch_;
    std::int64_t available_ = 0;
    std::int64_t changesBefore_ = 0;
    int unwinding_;
};

} // namespace tiravo
