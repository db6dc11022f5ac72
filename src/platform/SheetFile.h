#pragma once

#include "platform/SheetRows.h"

#include <QString>

namespace tiravo {

// Whether a file is read as a spreadsheet: by its extension, ".csv" or
// ".xlsx" in any case. Every other file is plain text.
bool IsSheetFile(const QString& path);

// The cells of a spreadsheet file (CsvFile, XlsxFile). Throws Error with the
// system's reason when the file cannot be opened or read, and Error naming
// the file and what is wrong with it when it is no spreadsheet of its kind:
// 'O arquivo "/home/ana/nomes.csv" não pode ser importado: a linha 12 tem
// aspas sem fecho'.
SheetRows ReadSheetFile(const QString& path);

// The message of `path` that cannot be imported for `reason`.
QString SheetFileError(const QString& path, const QString& reason);

} // namespace tiravo
