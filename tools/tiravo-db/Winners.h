#pragma once

#include "draws/model/RecordChain.h"
#include "draws/model/SpreadsheetCsv.h"

#include <QString>
#include <QStringList>

#include <vector>

class QTextStream;

namespace tiravo {
class Connection;
}

namespace tiravo::db {

// One draw pool as the winners list names it.
using WinnerPool = RecordPool;

inline const std::vector<WinnerPool>& WinnerPools() {
    return RecordPools();
}
inline const WinnerPool* WinnerPoolNamed(const QString& name) {
    return RecordPoolNamed(name);
}

enum class WinnersFormat { Text, Csv };

// The winners lists of `pools`. As text each pool is headed and each winner
// takes one line; as CSV one table with a header line, CRLF line ends and a
// column naming the pool when more than one is written.
void WriteWinners(Connection& connection, const std::vector<WinnerPool>& pools,
                  WinnersFormat format, CsvTexts texts, QTextStream& out);

} // namespace tiravo::db
