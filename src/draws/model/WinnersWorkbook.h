#pragma once

class QFileDevice;

namespace tiravo {

class Connection;
struct PoolDescription;

// The winners list of `pool` as an Excel workbook (.xlsx), for the draw
// screens' "Exportar premiados...": one sheet named after the pool, a header
// row ("Sorte" and the entry's column), then each winner as the screen lists
// it, highest place first: the place as a number (blank for an entry drawn
// without one), the entry as text, and, when the pool has a prize plan, a
// column "Prêmio" with each winner's prize (blank beyond the plan). A
// workbook never runs a text cell as a formula, so no cell needs the CSV's
// apostrophe; the characters nobody sees are written as codes, as the CSV
// writes them (CsvTexts::Guarded).
// Throws Error when the workbook cannot be made or written.
void WriteWinnersWorkbook(Connection& connection, const PoolDescription& pool, QFileDevice& out);

} // namespace tiravo
