#pragma once

namespace tiravo {

class Dataset;

// The editors' grids and edit boxes write a pool's rows one at a time: an
// entry typed in, its text changed, its row deleted. From here on each such
// write of `pool` (a view of a pool table) that changes the available
// entries or their texts goes into the record of draws, in one transaction
// with the write, so that the record goes on telling what the pool holds.
// Writes made by a recorded action of their own (a draw, "Incluir", an
// import...) stay that action's.
void RecordEntryEdits(Dataset& pool);

} // namespace tiravo
