#pragma once

#include "platform/OutputFile.h"

#include <QString>

#include <vector>

class QTextStream;

namespace tiravo {

class SheetRows;
struct PrizePlan;

// A prize as a spreadsheet lists it, before it is in a plan.
struct PlannedPrize {
    QString description;
    int quantity = 1;

    bool operator==(const PlannedPrize&) const = default;
};

// The prizes of a spreadsheet, as prize lists are prepared: a header line,
// then one prize a row, its description and its quantity (1 to 9,999). A row
// of empty cells is skipped. A row that is no prize (no quantity, a quantity
// that is no whole number in bounds, a description empty, longer than 60
// characters or with control characters, a third cell filled) throws Error,
// in `language`, naming the row's line in its file ("a linha 3 não é um
// prêmio: ..."); so does a sheet without a single prize, which would empty
// the plan by mistake. The apostrophe WritePrizePlanCsv puts before a
// description that looks like a formula is dropped.
std::vector<PlannedPrize> PrizesOfSheet(const SheetRows& sheet, MessageLanguage language);

// The prizes of the CSV file at `path` (CsvFile: separator and code found
// from the file), as above. Throws Error, in `language`, naming the file
// when it cannot be read or is no CSV.
std::vector<PlannedPrize> ReadPrizeCsv(const QString& path, MessageLanguage language);

// A plan as a CSV file that ReadPrizeCsv reads back: a header line
// ("Descrição" and "Quantidade"), then each prize, for the operator's
// spreadsheet (kSpreadsheetCsv).
void WritePrizePlanCsv(const PrizePlan& plan, QTextStream& out);

} // namespace tiravo
