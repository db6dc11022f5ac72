#include "support/ProgramDatabase.h"

#include "store/ConnectionText.h"
#include "store/DatabaseFile.h"
#include "store/DatabasePassword.h"

#include <QDir>
#include <QFileInfo>

namespace tiravo::test {

ProgramDatabase::ProgramDatabase(bool createFile) : previousHome_(qgetenv("XDG_DATA_HOME")) {
    qputenv("XDG_DATA_HOME", home_.path().toLocal8Bit());
    if (!createFile)
        return;
    QDir().mkpath(QFileInfo(path()).absolutePath());
    connection_ = std::make_unique<Connection>();
    CreateDatabaseFile(*connection_, path(), JoinDatabasePassword());
}

ProgramDatabase::~ProgramDatabase() {
    connection_.reset();
    if (previousHome_.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", previousHome_);
}

QString ProgramDatabase::path() const {
    return FixedDatabasePath();
}

Connection& ProgramDatabase::connection() {
    if (!connection_) {
        connection_ = std::make_unique<Connection>();
        connection_->setConnectionText(ConnectionTextFor(path()) + JoinDatabasePassword());
        connection_->open();
    }
    return *connection_;
}

} // namespace tiravo::test
