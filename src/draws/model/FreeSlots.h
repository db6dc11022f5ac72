#pragma once

#include <QString>

namespace tiravo {

class Dataset;
class TableView;

// A name row that no longer holds a name is kept for the next one the editor
// adds: its name is its own Cod, it is neither available nor listed.

enum class FreeSlotPlace {
    Keep,  // "Remover": the place in the winners list is not written
    Clear, // "Limpar Lista": the place goes too
};

// The current row of `names` -> free slot, posted.
void MakeNameFreeSlot(Dataset& names, FreeSlotPlace place);

// Every live name of the pool, available or drawn, -> free slot. The pool
// view shows every live name meanwhile; the caller switches it back, and an
// error switches it back at once, since a pool view left showing drawn names
// would let the next draw pick one of them again.
void ClearNamePool(TableView& pool);

// The filter of the name rows that hold a name, drawn or not.
inline const QString kLiveNameFilter = QStringLiteral("Ativo = True");

} // namespace tiravo
