#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QTextStream;

namespace tiravo {

class Connection;
struct PoolDescription;
struct RecordRow;

// CSV for spreadsheets (RFC 4180, UTF-8 with a byte order mark, CRLF line
// ends). A spreadsheet runs a cell that begins with =, +, -, @, a tab or a
// carriage return as a formula, so a name like "=HYPERLINK(...)" typed into a
// pool would run on the computer that opens the winners list. Text cells
// that begin so get a leading apostrophe, which spreadsheets show as a
// text marker; numbers stay numbers. A list sent to a terminal must not drive
// it either: a guarded cell keeps its tabs and line breaks, which the quoting
// carries, and writes every other control or invisible character as a code
// (ESC as \x1B, see TextEscapes::CsvCell). Raw writes texts as stored.
enum class CsvTexts { Guarded, Raw };

// How a CSV table is written: its texts, and the character between its
// fields. Scripts expect the comma; a spreadsheet in a locale whose decimal
// mark is the comma (Portuguese, among many) splits a line only at a
// semicolon, and opens a comma-separated file as a single column.
struct CsvFormat {
    CsvTexts texts = CsvTexts::Guarded;
    QChar separator = u',';
};

// The program's own CSV files, for the operator's spreadsheet.
inline constexpr CsvFormat kSpreadsheetCsv = {CsvTexts::Guarded, u';'};

// One cell of a CSV record. A text is guarded as above, then quoted when it
// holds the separator, a quote or a line break, with its quotes doubled.
QString CsvText(const QString& text, const CsvFormat& format);
QString CsvNumber(const QString& number, const CsvFormat& format);

// The byte order mark, without which spreadsheets read the file in the local
// 8-bit code page and lose the accents.
void BeginCsv(QTextStream& out);
void WriteCsvRecord(const QStringList& cells, const CsvFormat& format, QTextStream& out);

struct Winner {
    QString place; // Sorte as text; empty when the entry was drawn without one
    QString entry;
    QString prize; // its prize in the pool's plan; empty beyond the plan or without one
};

// The rows the draw screens list as winners, in their order: highest place
// first.
std::vector<Winner> ReadWinners(Connection& connection, const PoolDescription& pool);

// The header of the prize column, which the winners lists have only when a
// pool has a prize plan: without one they stay as they always were.
inline const QString kPrizeColumn = QStringLiteral("Prêmio");

// The winners lists of `pools` as one table with a header line: Sorte and
// the entry's column for one pool, Pool, Sorte and Entry for several; then
// Prêmio when one of the pools has a prize plan.
void WriteWinnersCsv(Connection& connection, const std::vector<const PoolDescription*>& pools,
                     const CsvFormat& format, QTextStream& out);

// The record's rows, oldest first, with a header line of its column names.
void WriteRecordCsv(const std::vector<RecordRow>& rows, const CsvFormat& format, QTextStream& out);

} // namespace tiravo
