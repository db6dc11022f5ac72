#pragma once

#include "store/Connection.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace tiravo::test {

// A real encrypted database file with the five empty tables in a folder of
// its own, removed with the object.
class TempDatabase {
public:
    TempDatabase();

    Connection& connection() { return *connection_; }
    const QString& path() const { return path_; }
    QString connectionText() const;
    QString folder() const { return dir_.path(); }

    // Runs SQL straight on the file, as another program would.
    void exec(const QString& sql);
    // A fresh connection of its own on the same file.
    std::unique_ptr<Connection> openSecond() const;

private:
    QTemporaryDir dir_;
    QString path_;
    std::unique_ptr<Connection> connection_;
};

} // namespace tiravo::test
