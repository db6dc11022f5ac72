#pragma once

#include "platform/SheetRows.h"

#include <QByteArray>

namespace tiravo {

// The cells of the first sheet of an Excel workbook (.xlsx): texts from the
// shared strings or written in the cell, and every other value (numbers,
// dates, results of formulas) as the cell holds it, "11987654321" or "45321".
// The sheet is the first the workbook lists, found through the package's
// relationships. Throws SheetError: "não é uma planilha XLSX" for bytes that
// are no such workbook (another kind of file, an encrypted workbook), "a
// planilha XLSX está danificada" for a workbook whose parts cannot be read.
SheetRows ParseXlsx(const QByteArray& bytes);

// What a workbook may unpack to at most: far beyond any list of names, and
// a bound on the time a compressed file that swells without end can take.
inline constexpr qint64 kMaxXlsxUnpackedBytes = qint64(1) << 30;

} // namespace tiravo
