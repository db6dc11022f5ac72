#pragma once

#include "draws/model/PoolDescription.h"
#include "draws/model/SpreadsheetCsv.h"

#include <QString>
#include <QStringList>

#include <vector>

class QTextStream;

namespace tiravo {
class Connection;
}

namespace tiravo::db {

enum class WinnersFormat { Text, Csv };

// The winners lists of `pools`. As text each pool is headed and each winner
// takes one line; as CSV one table with a header line, CRLF line ends and a
// column naming the pool when more than one is written.
void WriteWinners(Connection& connection, const std::vector<const PoolDescription*>& pools,
                  WinnersFormat format, const CsvFormat& csv, QTextStream& out);

} // namespace tiravo::db
