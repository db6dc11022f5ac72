#pragma once

#include <QString>

namespace tiravo {

// The program's SQL texts as this engine must read them. The engine has no
// literals True and False (it would take them for column names), so they
// become 1 and 0; texts in quotes are left alone.
QString ToEngineSql(const QString& programSql);

} // namespace tiravo
