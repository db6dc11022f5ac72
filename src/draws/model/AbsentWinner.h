#pragma once

#include <QString>

#include <optional>

namespace tiravo {

class Connection;
class Dataset;
struct PoolDescription;

// A winner who is not there to take the prize. The row keeps its entry (a
// name its name and Ativo, a photo its path) but loses Ok and its place, so
// that it is in neither the pool view nor the winners list: no draw and no
// hidden pick takes it, while "Liberar Todos" puts it back and "Limpar
// Lista" and "Excluir Lista" empty it, as they do with every row they walk.
// Its place is vacant until a draw fills it.

inline constexpr int kAbsenceReasonWidth = 60;

// What "Ganhador ausente..." asks about the winner `entry` of `place`.
QString AbsenceQuestion(const QString& entry, int place);

// The current row of `winners`, a winners list of `pool`, made absent. One
// transaction with its record row, which names the entry, the place it
// leaves, its prize when the pool has a plan, and `reason` when there is
// one. False, with nothing written, when the file no longer lists that row
// at that place (another copy of the program released, cleared or marked it
// first). A reason the record cannot keep: Error, nothing written. `winners`
// is read again either way.
bool MarkAbsent(Dataset& winners, const PoolDescription& pool, const QString& reason);

// The lowest place an absence left vacant since the pool was last released
// or cleared, while a later place still has its winner; nothing when there
// is none. Read from the file, so that a copy of the program sees the
// absences of another before its next draw.
std::optional<int> LowestVacantPlace(Connection& connection, const PoolDescription& pool);

// The place the next draw from `pool` gives, as far as this program knows
// before it takes the write lock: a vacant place, else one after `winners`.
int PlaceOfNextDraw(Connection& connection, const PoolDescription& pool, const Dataset& winners);

} // namespace tiravo
