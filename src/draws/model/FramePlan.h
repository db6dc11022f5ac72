#pragma once

#include <QString>
#include <QStringList>

namespace tiravo {

class Dataset;

// What the coming frames of a run will show, known before they are painted:
// the value of `column` in the current row, then in the row each following
// frame step (Stepping.h) lands on, `count` values in all. The cursor does
// not move, so the run itself walks the pool as it always does.
QStringList ComingEntries(const Dataset& pool, const QString& column, int count);

} // namespace tiravo
