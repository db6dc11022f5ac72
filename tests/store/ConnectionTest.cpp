// Opening the file and the database password.
#include "common/Error.h"
#include "store/ConnectionText.h"
#include "store/DatabasePassword.h"
#include "support/TempDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

QString OpenError(const QString& text) {
    Connection c;
    c.setConnectionText(text);
    try {
        c.open();
    } catch (const Error& e) {
        EXPECT_FALSE(c.isOpen());
        return e.message();
    }
    return QStringLiteral("<opened>");
}

TEST(Connection, MissingFileIsAnErrorAndNoFileIsMade) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zodizi.db");
    EXPECT_EQ(OpenError(ConnectionTextFor(path) + JoinDatabasePassword()),
              QStringLiteral("Could not find file '%1'").arg(path));
    EXPECT_FALSE(QFileInfo::exists(path));
}

TEST(Connection, WrongPasswordIsAnErrorNeverAnEmptyDatabase) {
    test::TempDatabase db;
    db.connection().close();
    const QString message = OpenError(ConnectionTextFor(db.path()) + "wrong-password-here!");
    EXPECT_TRUE(message.startsWith("Not a valid password")) << message.toStdString();
    // The file is encrypted as a whole: not even the table names can be read.
    QFile raw(db.path());
    ASSERT_TRUE(raw.open(QIODevice::ReadOnly));
    EXPECT_FALSE(raw.readAll().contains("TbNumero"));
}

TEST(Connection, TextNeedsProviderFileAndPassword) {
    EXPECT_TRUE(OpenError("Provider=Other;Data Source=/tmp/x.db;Database Password=x")
                    .startsWith("Provider cannot be found"));
    EXPECT_TRUE(OpenError("Provider=SQLCipher;Data Source=/tmp/x.db").contains("password"));
    EXPECT_TRUE(OpenError("Provider=SQLCipher;Database Password=x").contains("names no"));
    const ConnectionSettings s = ParseConnectionText(ConnectionTextFor("/a/b.db") + "p;w=d;");
    EXPECT_EQ(s.dataSource, "/a/b.db");
    EXPECT_EQ(s.password, "p;w=d;");
}

TEST(Connection, TextCannotChangeWhileOpenAndPasswordHasTwentyCharacters) {
    test::TempDatabase db;
    EXPECT_THROW(db.connection().setConnectionText("x"), Error);
    EXPECT_EQ(JoinDatabasePassword().size(), 20);
    EXPECT_TRUE(ConnectionTextFor("/x").endsWith("Password="));
}

TEST(Connection, FixedPathFollowsTheDataHome) {
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", "/tmp/tiravo-data-home");
    EXPECT_EQ(FixedDatabasePath(),
              QStringLiteral("/tmp/tiravo-data-home/Korvane/Tiravo/Zodizi.db"));
    if (old.isEmpty())
        qunsetenv("XDG_DATA_HOME");
    else
        qputenv("XDG_DATA_HOME", old);
}

} // namespace
} // namespace tiravo
