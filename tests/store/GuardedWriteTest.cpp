// Writes that must not go through blindly: a post guarded by the value it
// read, two copies of the program on one file, and views too wide to write.
#include "common/Error.h"
#include "store/Query.h"
#include "store/TableView.h"
#include "store/WriteScope.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class GuardedPostTest : public testing::Test {
protected:
    void SetUp() override {
        db.exec("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) VALUES "
                "(84, 'aaaa', 1, 0), (85, 'bbbb', NULL, 0)");
        other = db.openSecond();
    }
    // The number's Ok as the file holds it now.
    QString okOnDisk(int number) {
        Query q(db.connection(),
                {QStringLiteral("Select Ok From TbNumero Where Numero = %1").arg(number)});
        q.open();
        return q.field(0).asString();
    }
    static void drawFirst(TableView& pool) {
        pool.edit();
        pool.field("Ok").setAsString("F");
        pool.field("Sorte").setAsInteger(1);
    }

    test::TempDatabase db;
    std::unique_ptr<Connection> other;
};

TEST_F(GuardedPostTest, OnlyOneOfTwoProgramsThatReadTheRowAvailableWritesIt) {
    TableView mine(db.connection(), {.table = "TbNumero", .filter = "Ok = True"});
    TableView theirs(*other, {.table = "TbNumero", .filter = "Ok = True"});
    mine.open();
    theirs.open();

    drawFirst(theirs);
    EXPECT_TRUE(theirs.postIfStill("Ok"));
    EXPECT_EQ(theirs.recordCount(), 0);

    drawFirst(mine);
    mine.field("Sorte").setAsInteger(2);
    EXPECT_FALSE(mine.postIfStill("Ok"));
    // Nothing written, the edit still there for the caller to drop.
    EXPECT_EQ(mine.state(), DatasetState::Edit);
    EXPECT_EQ(mine.recordCount(), 1);
    mine.cancel();
    Query sorte(db.connection(), {"Select Sorte From TbNumero Where Numero = 84"});
    sorte.open();
    EXPECT_EQ(sorte.field(0).asString(), "1");

    // Put back by the other program: available again, so it may be drawn.
    theirs.close();
    theirs.setFilter({});
    theirs.open();
    theirs.edit();
    theirs.field("Ok").setAsString("T");
    theirs.post();
    mine.edit();
    mine.field("Ordem").setAsString("zzzz");
    EXPECT_TRUE(mine.postIfStill("Ok"));
}

TEST_F(GuardedPostTest, ADeletedRowIsRefusedAndANullIsComparedAsNull) {
    TableView all(db.connection(), {.table = "TbNumero", .sortKey = "Cod"});
    all.open();
    all.next();
    // Read as null, still null: the guard holds.
    all.edit();
    all.field("Ordem").setAsString("cccc");
    EXPECT_TRUE(all.postIfStill("Ok"));

    other->execute("DELETE FROM TbNumero WHERE Numero = 84");
    all.first();
    all.edit();
    all.field("Ok").setAsString("F");
    EXPECT_FALSE(all.postIfStill("Ok"));
    all.cancel();
    EXPECT_EQ(okOnDisk(85), "");

    // A new row has nothing to compare with and is simply stored.
    all.insert();
    all.field("Numero").setAsInteger(86);
    EXPECT_TRUE(all.postIfStill("Ok"));
    EXPECT_THROW(all.postIfStill("Nope"), Error);
}

TEST_F(GuardedPostTest, ABatchWalksTheRowsTheFileHoldsOnceAnotherProgramHasChangedThem) {
    TableView mine(db.connection(), {.table = "TbNumero", .sortKey = "Cod"});
    mine.open();
    // This connection's own writes, through another view, are not a change
    // made elsewhere: the snapshot rule stays as it is.
    db.exec("UPDATE TbNumero SET Ordem = 'mine'");
    EXPECT_FALSE(mine.changedElsewhere());
    { WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten, {&mine}); }
    EXPECT_EQ(mine.field("Ordem").asString(), "aaaa");

    other->execute("DELETE FROM TbNumero WHERE Numero = 84");
    other->execute("INSERT INTO TbNumero (Numero) VALUES (86)");
    EXPECT_TRUE(mine.changedElsewhere());
    // A view being edited keeps its row; the other is read again.
    TableView editing(db.connection(), {.table = "TbNumero"});
    editing.open();
    other->execute("INSERT INTO TbNumero (Numero) VALUES (87)");
    editing.edit();
    {
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten, {&mine, &editing});
        QStringList walked;
        for (mine.first(); !mine.eof(); mine.next())
            walked << mine.field("Numero").asString();
        EXPECT_EQ(walked, QStringList({"85", "86", "87"}));
        EXPECT_TRUE(editing.editing());
        EXPECT_EQ(editing.recordCount(), 2);
    }
    EXPECT_FALSE(mine.changedElsewhere());
}

TEST(Dataset, LastLandsOnTheLastRowWithEndOfDataClear) {
    test::TempDatabase db;
    db.exec("INSERT INTO TbNumero (Numero) VALUES (1), (2), (3)");
    TableView view(db.connection(), {.table = "TbNumero"});
    view.open();
    view.last();
    EXPECT_FALSE(view.eof());
    EXPECT_EQ(view.field("Numero").asInteger(), 3);
    // A loop from Last reads the last row once, then ends.
    int read = 0;
    for (; !view.eof(); view.next())
        ++read;
    EXPECT_EQ(read, 1);
    view.last();
    view.prior();
    EXPECT_EQ(view.field("Numero").asInteger(), 2);

    TableView empty(db.connection(), {.table = "TbNome"});
    empty.open();
    empty.last();
    EXPECT_TRUE(empty.eof());
    EXPECT_TRUE(empty.bof());
}

TEST(Dataset, MoreColumnsThanTheWriteCanNameAreRefusedAndNothingIsWritten) {
    test::TempDatabase db;
    db.exec("INSERT INTO TbNumero (Numero) VALUES (7)");
    QString select = QStringLiteral("Select Cod, Numero");
    for (int i = 0; i < 70; ++i)
        select += QStringLiteral(", Numero AS N%1").arg(i);
    Query wide(db.connection(), {select, "From TbNumero"});
    wide.open();
    ASSERT_EQ(wide.columns().size(), 72u);
    wide.edit();
    wide.field("Numero").setAsInteger(8);
    try {
        wide.post();
        FAIL() << "a 72-column row was written";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), "This data cannot be changed: it has 72 columns, and at most 64 "
                               "can be written");
    }
    wide.cancel();
    Query check(db.connection(), {"Select Numero From TbNumero"});
    check.open();
    EXPECT_EQ(check.field(0).asInteger(), 7);
}

} // namespace
} // namespace tiravo
