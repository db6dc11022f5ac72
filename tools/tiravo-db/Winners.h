#pragma once

#include <QString>
#include <QStringList>

#include <vector>

class QTextStream;

namespace tiravo {
class Connection;
}

namespace tiravo::db {

// One draw pool as the winners list names it.
struct WinnerPool {
    QString name;           // numeros, nomes or fotos, as --pool takes it
    QString entry;          // the column that holds the drawn entry
    QStringList winnersSql; // the draw screens' own query
};

const std::vector<WinnerPool>& WinnerPools();
const WinnerPool* WinnerPoolNamed(const QString& name); // null when unknown

struct Winner {
    QString place; // Sorte as text; empty when the entry was drawn without one
    QString entry;
};

// The rows the draw screens list as winners, in their order: highest place
// first.
std::vector<Winner> ReadWinners(Connection& connection, const WinnerPool& pool);

// One field of a CSV record (RFC 4180): quoted when it holds a comma, a
// quote or a line break, with its quotes doubled.
QString CsvField(const QString& text);

enum class WinnersFormat { Text, Csv };

// The winners lists of `pools`. As text each pool is headed and each winner
// takes one line; as CSV one table with a header line, CRLF line ends and a
// column naming the pool when more than one is written.
void WriteWinners(Connection& connection, const std::vector<WinnerPool>& pools,
                  WinnersFormat format, QTextStream& out);

} // namespace tiravo::db
