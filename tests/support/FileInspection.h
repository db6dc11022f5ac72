#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace tiravo {
class Connection;
}

namespace tiravo::test {

// The one number a counting query gives.
qint64 CountOf(Connection& connection, const QString& sql);

// What is wrong with the program's file at `path` after a crash or a power
// cut: what the engine's integrity check finds, then what `check` finds in
// the rows; or that the file cannot be read at all.
QStringList FileProblems(const QString& path, const std::function<QStringList(Connection&)>& check);

} // namespace tiravo::test
