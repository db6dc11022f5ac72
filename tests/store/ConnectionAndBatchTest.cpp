// Opening the file, the database password, and bulk work in one transaction.
#include "common/Error.h"
#include "store/Batch.h"
#include "store/ConnectionText.h"
#include "store/DatabasePassword.h"
#include "store/TableView.h"
#include "support/TempDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <thread>

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

class BatchTest : public testing::Test {
protected:
    void SetUp() override {
        // A row the engine itself refuses, as a full disk or a broken file would.
        db.exec("CREATE TRIGGER refuse BEFORE INSERT ON TbNumero WHEN NEW.Numero = 13 "
                "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    }
    int rowsOnDisk() {
        auto other = db.openSecond();
        TableView all(*other, {.table = "TbNumero"});
        all.open();
        return all.recordCount();
    }
    test::TempDatabase db;
};

TEST_F(BatchTest, FailedRowUndoesOnlyItselfAndTheLoopGoesOn) {
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    int failures = 0;
    {
        Batch batch(db.connection());
        for (int n = 10; n <= 15; ++n) {
            try {
                view.insert();
                view.field("Numero").setAsInteger(n);
                view.post();
            } catch (const Error&) {
                ++failures;
                view.cancel();
            }
        }
        EXPECT_EQ(rowsOnDisk(), 0); // not committed yet
    }
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(view.recordCount(), 5);
    EXPECT_EQ(rowsOnDisk(), 5);
}

TEST_F(BatchTest, RowsPostedBeforeAnUncaughtErrorStayPosted) {
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    try {
        Batch batch(db.connection());
        for (int n = 10; n <= 15; ++n) {
            view.insert();
            view.field("Numero").setAsInteger(n);
            view.post();
        }
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "refused");
    }
    EXPECT_EQ(rowsOnDisk(), 3);
    view.cancel();
    EXPECT_EQ(view.recordCount(), 3);
}

TEST_F(BatchTest, NestedBatchesCommitOnceAtTheOutermost) {
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    {
        Batch outer(db.connection());
        {
            Batch inner(db.connection());
            view.insert();
            view.field("Numero").setAsInteger(1);
            view.post();
        }
        EXPECT_EQ(rowsOnDisk(), 0);
    }
    EXPECT_EQ(rowsOnDisk(), 1);
}

TEST_F(BatchTest, SavepointUndoesTheStatementsOfOneRow) {
    Batch batch(db.connection());
    {
        Savepoint row(db.connection());
        db.exec("INSERT INTO TbNumero (Numero) VALUES (1)");
        db.exec("INSERT INTO TbNumero (Numero) VALUES (2)");
    } // not released: both undone
    {
        Savepoint row(db.connection());
        db.exec("INSERT INTO TbNumero (Numero) VALUES (3)");
        row.release();
    }
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    EXPECT_EQ(view.recordCount(), 1);
}

TEST_F(BatchTest, SecondConnectionWaitsForTheWriteLockInsteadOfFailing) {
    auto second = db.openSecond();
    TableView other(*second, {.table = "TbNumero"});
    other.open();
    std::thread writer;
    {
        Batch batch(db.connection());
        db.exec("INSERT INTO TbNumero (Numero) VALUES (1)");
        writer = std::thread([&] {
            other.insert();
            other.field("Numero").setAsInteger(2);
            other.post(); // blocks until the batch commits
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    }
    writer.join();
    EXPECT_EQ(rowsOnDisk(), 2);
}

} // namespace
} // namespace tiravo
