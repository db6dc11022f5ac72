#pragma once

namespace tiravo {

class Dataset;

// The moves of one pool row between its entry states. Each edits the current
// row and posts it; a pool view filtered on "Ok = True" loses the row as soon
// as it stops being available.

// Only the number pool keeps Ativo as "listed among the winners"; the name and
// photo pools leave it alone when they draw.
enum class WinnerFlag { OkAndPlace, OkPlaceAndActive };

// The place a newly drawn entry takes: one after the winners list as it was
// last read. The list is not read again first, so a pick that gave no place
// since then is not counted.
int NextWinnerPlace(const Dataset& winners);

// available -> drawn, at the next place of `winners`.
void RecordWinner(Dataset& pool, const Dataset& winners, WinnerFlag flag);

// available -> taken out: out of the pool without a place of its own.
void TakeOut(Dataset& pool);

} // namespace tiravo
