// Opening the file, the database password, and bulk work in one transaction.
#include "common/Error.h"
#include "store/Batch.h"
#include "store/ConnectionText.h"
#include "store/DatabasePassword.h"
#include "store/Query.h"
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

// Rows posted one by one in a batch, each error caught as the range of
// numbers catches it, until an error costs the transaction: that one ends the
// loop, or is swallowed when `swallowLoss` (which no loop of the program does).
struct LoopResult {
    int posted = 0;
    int refused = 0;
    QString endedWith;
};

void InsertCatchingErrors(Batch& batch, TableView& view, int from, int to, LoopResult& result,
                          bool swallowLoss = false) {
    for (int n = from; n <= to; ++n) {
        try {
            view.insert();
            view.field("Numero").setAsInteger(n);
            view.post();
            ++result.posted;
        } catch (const Error& e) {
            view.cancel();
            ++result.refused;
            if (batch.lost()) {
                if (!swallowLoss)
                    throw;
                result.endedWith = e.message();
                return;
            }
        }
    }
}

TEST(Batch, AFullDiskCostsTheWholeBatchAndItsViewShowsTheFileAgain) {
    // No trigger here: a statement with one keeps a journal of its own, and a
    // full disk then undoes only that statement.
    test::TempDatabase db;
    const auto second = db.openSecond();
    const auto rowsOnDisk = [&second] {
        TableView all(*second, {.table = "TbNumero"});
        all.open();
        return all.recordCount();
    };
    db.exec("INSERT INTO TbNumero (Numero) VALUES (1)");
    Query pages(db.connection(), {"PRAGMA page_count"});
    pages.open();
    // A few pages more than the file has: the disk fills within the loop.
    db.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages.field(0).asInteger() + 3));
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    LoopResult result;
    try {
        Batch batch(db.connection(), {&view});
        InsertCatchingErrors(batch, view, 100, 100000, result);
    } catch (const Error& e) {
        result.endedWith = e.message();
    }
    EXPECT_EQ(result.endedWith, "database or disk is full");
    EXPECT_EQ(result.refused, 1);
    EXPECT_GT(result.posted, 100);
    EXPECT_LT(result.posted, 100000);
    // The rows of the batch are gone from the file, and from the view.
    EXPECT_EQ(rowsOnDisk(), 1);
    EXPECT_EQ(view.recordCount(), 1);
    EXPECT_FALSE(view.editing());

    // A loop that went on past the loss would still hear of it at the end.
    LoopResult swallowed;
    QString reported;
    try {
        Batch batch(db.connection(), {&view});
        InsertCatchingErrors(batch, view, 100, 100000, swallowed, true);
    } catch (const Error& e) {
        reported = e.message();
    }
    EXPECT_EQ(swallowed.endedWith, "database or disk is full");
    EXPECT_TRUE(reported.startsWith("The changes were not stored")) << reported.toStdString();
    EXPECT_EQ(view.recordCount(), 1);

    // With room again the same loop stores every row.
    db.exec("PRAGMA max_page_count = 1073741823");
    LoopResult roomy;
    {
        Batch batch(db.connection(), {&view});
        InsertCatchingErrors(batch, view, 1, 500, roomy);
    }
    EXPECT_EQ(roomy.posted, 500);
    EXPECT_EQ(rowsOnDisk(), 501);
    EXPECT_EQ(view.recordCount(), 501);
}

TEST_F(BatchTest, AFailedCommitIsReportedAndItsViewsReadTheFileAgain) {
    // A deferred foreign key is only checked by the commit.
    db.exec("PRAGMA foreign_keys = ON");
    db.exec("CREATE TABLE Parent (Id INTEGER PRIMARY KEY)");
    db.exec("CREATE TABLE Child (ParentId INTEGER REFERENCES Parent (Id) "
            "DEFERRABLE INITIALLY DEFERRED)");
    db.exec("CREATE TRIGGER orphan AFTER INSERT ON TbNumero WHEN NEW.Numero = 3 "
            "BEGIN INSERT INTO Child VALUES (99); END");
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    QString reported;
    try {
        Batch batch(db.connection(), {&view});
        for (int n = 1; n <= 5; ++n) {
            view.insert();
            view.field("Numero").setAsInteger(n);
            view.post();
        }
        EXPECT_FALSE(batch.lost());
        EXPECT_EQ(view.recordCount(), 5);
    } catch (const Error& e) {
        reported = e.message();
    }
    EXPECT_EQ(reported, "FOREIGN KEY constraint failed");
    EXPECT_EQ(rowsOnDisk(), 0);
    EXPECT_EQ(view.recordCount(), 0);
    EXPECT_FALSE(db.connection().inTransaction());

    // Rows posted after an error in flight: the commit's own error stays
    // behind the one the operator sees.
    try {
        Batch batch(db.connection(), {&view});
        view.insert();
        view.field("Numero").setAsInteger(3);
        view.post();
        throw Error("the loop's own error");
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "the loop's own error");
    }
    EXPECT_EQ(view.recordCount(), 0);
}

} // namespace
} // namespace tiravo
