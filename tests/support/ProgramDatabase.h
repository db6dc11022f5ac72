#pragma once

#include "store/Connection.h"

#include <QByteArray>
#include <QTemporaryDir>

#include <memory>

namespace tiravo::test {

// A real database file at the program's fixed place, with that place moved
// into a temporary data home for the life of the object.
class ProgramDatabase {
public:
    // Without a file, the program meets a missing database.
    explicit ProgramDatabase(bool createFile = true);
    ~ProgramDatabase();

    QString path() const;
    // A connection of the test's own, as another program would have.
    Connection& connection();
    // Lets go of the test's own connection: no other program has the file
    // open then, and the engine's side files are gone with it.
    void closeConnection() { connection_.reset(); }
    void exec(const QString& sql) { connection().execute(sql); }
    QString folder() const { return home_.path(); }

private:
    QTemporaryDir home_;
    QByteArray previousHome_;
    std::unique_ptr<Connection> connection_;
};

} // namespace tiravo::test
