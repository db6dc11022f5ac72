#include "support/TempDatabase.h"

#include "store/ConnectionText.h"
#include "store/DatabaseFile.h"
#include "store/DatabasePassword.h"

namespace tiravo::test {

TempDatabase::TempDatabase()
    : path_(dir_.filePath(QStringLiteral("Zodizi.db"))),
      connection_(std::make_unique<Connection>()) {
    CreateDatabaseFile(*connection_, path_, JoinDatabasePassword());
}

QString TempDatabase::connectionText() const {
    return ConnectionTextFor(path_) + JoinDatabasePassword();
}

void TempDatabase::exec(const QString& sql) {
    connection_->execute(sql);
}

std::unique_ptr<Connection> TempDatabase::openSecond() const {
    auto second = std::make_unique<Connection>();
    second->setConnectionText(connectionText());
    second->open();
    return second;
}

} // namespace tiravo::test
