// Changes of the file in one write scope: what an error keeps of them, how
// scopes nest, the record row each carries, and the write lock.
#include "store/WriteScope.h"
#include "common/Error.h"
#include "store/Query.h"
#include "store/TableView.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

#include <thread>

namespace tiravo {
namespace {

class WriteScopeTest : public testing::Test {
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

TEST_F(WriteScopeTest, FailedRowUndoesOnlyItselfAndTheLoopGoesOn) {
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    int failures = 0;
    {
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten);
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

TEST_F(WriteScopeTest, RowsPostedBeforeAnUncaughtErrorStayPosted) {
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    try {
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten);
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

TEST_F(WriteScopeTest, NestedBatchesCommitOnceAtTheOutermost) {
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    {
        WriteScope outer(db.connection(), WriteScope::Keeps::WhatWasWritten);
        {
            WriteScope inner(db.connection(), WriteScope::Keeps::WhatWasWritten);
            view.insert();
            view.field("Numero").setAsInteger(1);
            view.post();
        }
        EXPECT_EQ(rowsOnDisk(), 0);
    }
    EXPECT_EQ(rowsOnDisk(), 1);
}

TEST_F(WriteScopeTest, SavepointUndoesTheStatementsOfOneRow) {
    WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten);
    {
        WriteScope row(db.connection(), WriteScope::Keeps::AllOrNothing);
        db.exec("INSERT INTO TbNumero (Numero) VALUES (1)");
        db.exec("INSERT INTO TbNumero (Numero) VALUES (2)");
    } // not released: both undone
    {
        WriteScope row(db.connection(), WriteScope::Keeps::AllOrNothing);
        db.exec("INSERT INTO TbNumero (Numero) VALUES (3)");
        row.commit();
    }
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    EXPECT_EQ(view.recordCount(), 1);
}

TEST_F(WriteScopeTest, SecondConnectionWaitsForTheWriteLockInsteadOfFailing) {
    auto second = db.openSecond();
    TableView other(*second, {.table = "TbNumero"});
    other.open();
    std::thread writer;
    {
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten);
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

void InsertCatchingErrors(WriteScope& batch, TableView& view, int from, int to, LoopResult& result,
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

TEST(WriteScope, AFullDiskCostsTheWholeBatchAndItsViewShowsTheFileAgain) {
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
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten, {&view});
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
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten, {&view});
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
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten, {&view});
        InsertCatchingErrors(batch, view, 1, 500, roomy);
    }
    EXPECT_EQ(roomy.posted, 500);
    EXPECT_EQ(rowsOnDisk(), 501);
    EXPECT_EQ(view.recordCount(), 501);
}

TEST_F(WriteScopeTest, AFailedCommitIsReportedAndItsViewsReadTheFileAgain) {
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
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten, {&view});
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
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten, {&view});
        view.insert();
        view.field("Numero").setAsInteger(3);
        view.post();
        throw Error("the loop's own error");
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "the loop's own error");
    }
    EXPECT_EQ(view.recordCount(), 0);
}

// A record row of its own: a number in the same table, so that the test
// sees whether it went with the change.
class MarkerRow final : public ChangeRecord {
public:
    MarkerRow(test::TempDatabase& db, bool fails) : db_(db), fails_(fails) {}
    void append() override {
        ++appended;
        if (fails_)
            throw Error("the record is full");
        db_.exec("INSERT INTO TbNumero (Numero) VALUES (99)");
    }
    int appended = 0;

private:
    test::TempDatabase& db_;
    bool fails_;
};

TEST_F(WriteScopeTest, TheRecordRowGoesWithItsChangeOrTheChangeGoesToo) {
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    const auto addNumber = [&](int n) {
        view.insert();
        view.field("Numero").setAsInteger(n);
        view.post();
    };
    for (const WriteScope::Keeps keeps :
         {WriteScope::Keeps::AllOrNothing, WriteScope::Keeps::WhatWasWritten}) {
        SCOPED_TRACE(keeps == WriteScope::Keeps::AllOrNothing ? "all or nothing" : "keeps");
        MarkerRow failing(db, true);
        QString reported;
        try {
            WriteScope change(db.connection(), keeps, {&view}, &failing);
            addNumber(1);
            change.commit();
        } catch (const Error& e) {
            reported = e.message();
        }
        EXPECT_EQ(reported, "the record is full");
        EXPECT_EQ(failing.appended, 1);
        EXPECT_EQ(rowsOnDisk(), 0);
        EXPECT_EQ(view.recordCount(), 0); // read again: it shows the file
        EXPECT_FALSE(db.connection().inTransaction());
    }

    // Joined to a scope that keeps what it wrote, an all-or-nothing change
    // and its record row are undone alone.
    {
        WriteScope loop(db.connection(), WriteScope::Keeps::WhatWasWritten);
        addNumber(1);
        MarkerRow failing(db, true);
        WriteScope change(db.connection(), WriteScope::Keeps::AllOrNothing, {}, &failing);
        EXPECT_EQ(change.level(), WriteScope::Level::Nested);
        addNumber(2);
        EXPECT_THROW(change.commit(), Error);
    }
    EXPECT_EQ(rowsOnDisk(), 1);

    MarkerRow marker(db, false);
    {
        WriteScope change(db.connection(), WriteScope::Keeps::AllOrNothing, {}, &marker);
        addNumber(3);
        change.commit();
    }
    EXPECT_EQ(marker.appended, 1);
    EXPECT_EQ(rowsOnDisk(), 3);
}

TEST_F(WriteScopeTest, TheWritesOfARecordedChangeAreKnownToBeItsOwnWhileItIsOpen) {
    MarkerRow marker(db, false);
    EXPECT_FALSE(WriteScope::RecordedChangeOpen(db.connection()));
    {
        WriteScope plain(db.connection(), WriteScope::Keeps::WhatWasWritten);
        EXPECT_EQ(plain.level(), WriteScope::Level::Outermost);
        EXPECT_FALSE(WriteScope::RecordedChangeOpen(db.connection()));
        WriteScope recorded(db.connection(), WriteScope::Keeps::AllOrNothing, {}, &marker);
        {
            WriteScope inside(db.connection(), WriteScope::Keeps::WhatWasWritten);
            EXPECT_TRUE(inside.recorded());
            EXPECT_TRUE(WriteScope::RecordedChangeOpen(db.connection()));
        }
        recorded.commit();
        EXPECT_FALSE(WriteScope::RecordedChangeOpen(db.connection()));
    }
    EXPECT_EQ(rowsOnDisk(), 1);
}

TEST_F(WriteScopeTest, AConnectionClosedWithinAChangeForgetsItAndBeginsAfreshOnceOpen) {
    {
        WriteScope outer(db.connection(), WriteScope::Keeps::WhatWasWritten);
        WriteScope inner(db.connection(), WriteScope::Keeps::AllOrNothing);
        db.exec("INSERT INTO TbNumero (Numero) VALUES (1)");
        db.connection().close(); // the engine drops the open transaction
        db.connection().open();
        WriteScope fresh(db.connection(), WriteScope::Keeps::AllOrNothing);
        EXPECT_EQ(fresh.level(), WriteScope::Level::Outermost);
        db.exec("INSERT INTO TbNumero (Numero) VALUES (2)");
        fresh.commit();
        inner.commit(); // nothing left to do, and no error
    }
    EXPECT_EQ(rowsOnDisk(), 1);
    EXPECT_FALSE(db.connection().inTransaction());
}

} // namespace
} // namespace tiravo
