#include "support/FileInspection.h"

#include "store/Connection.h"
#include "store/Query.h"
#include "support/TrialSettings.h"

#include <exception>

namespace tiravo::test {

qint64 CountOf(Connection& connection, const QString& sql) {
    Query query(connection, {sql});
    query.open();
    return query.field(std::size_t{0}).asInteger();
}

QStringList FileProblems(const QString& path,
                         const std::function<QStringList(Connection&)>& check) {
    try {
        Connection connection;
        connection.setConnectionText(ProgramConnectionText(path));
        connection.open();
        Query integrity(connection, {QStringLiteral("PRAGMA integrity_check")});
        integrity.open();
        QStringList problems;
        for (; !integrity.eof(); integrity.next())
            if (const QString line = integrity.field(std::size_t{0}).asString(); line != "ok")
                problems << QStringLiteral("integrity: ") + line;
        return problems + check(connection);
    } catch (const std::exception& error) {
        return {QStringLiteral("the file cannot be read: ") + QString::fromUtf8(error.what())};
    }
}

} // namespace tiravo::test
