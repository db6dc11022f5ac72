// Writing one column of many rows at once, as a draw gives its pool new keys:
// which rows the file takes, when the view orders them, and the transaction
// that keeps them whole; and the order of short keys, which a view sorts as
// numbers.
#include "store/ColumnRewrite.h"
#include "common/Error.h"
#include "store/ShortTextSort.h"
#include "store/TableView.h"
#include "store/WriteScope.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

namespace tiravo {
namespace {

QStringList Column(test::TempDatabase& db, const QString& column,
                   const QString& table = QStringLiteral("TbNumero")) {
    TableView view(db.connection(), {.table = table, .sortKey = "Cod"});
    view.open();
    QStringList values;
    for (view.first(); !view.eof(); view.next())
        values << (view.field(column).isNull() ? QStringLiteral("null")
                                               : view.field(column).asString());
    return values;
}

QStringList Shown(TableView& view, const QString& column) {
    QStringList values;
    for (view.first(); !view.eof(); view.next())
        values << view.field(column).asString();
    return values;
}

class ColumnRewriteTest : public testing::Test {
protected:
    void SetUp() override {
        // Cod 1..6; 3 and 5 are not available, so the pool view never shows them.
        db.exec("INSERT INTO TbNumero (Numero, Ordem, Ok) VALUES (10, 'dddd', 1), "
                "(20, 'bbbb', 1), (30, 'xxxx', 0), (40, 'cccc', 1), (50, 'yyyy', NULL), "
                "(60, 'aaaa', 1)");
        pool.open();
    }

    test::TempDatabase db;
    TableView pool{db.connection(),
                   {.table = "TbNumero", .filter = "Ok = True", .sortKey = "Ordem"}};
};

TEST_F(ColumnRewriteTest, TheFileTakesTheShownRowsInCodOrderAndTheViewOrdersThemWhenAsked) {
    // The view shows 60, 20, 40, 10; the one at place 1 (20) is left out.
    ColumnRewrite keys(pool, "Ordem", 1);
    ASSERT_EQ(keys.size(), 3u);
    keys.setText(0, "kkkkk"); // Cod 1, cut to the column's width
    keys.setText(1, "mmmm");  // Cod 4
    keys.setText(2, "jjjj");  // Cod 6
    keys.writeUpTo(1);
    EXPECT_EQ(Column(db, "Ordem"), QStringList({"kkkk", "bbbb", "xxxx", "cccc", "yyyy", "aaaa"}));
    // Another program deletes a row meanwhile: it is not written, and no error.
    db.openSecond()->execute("DELETE FROM TbNumero WHERE Cod = 4");
    keys.writeUpTo(3);
    EXPECT_EQ(Column(db, "Ordem"), QStringList({"kkkk", "bbbb", "xxxx", "yyyy", "jjjj"}));
    // The rows hold their new texts; their order waits for the view to take them.
    EXPECT_EQ(Shown(pool, "Ordem"), QStringList({"jjjj", "bbbb", "mmmm", "kkkk"}));
    EXPECT_THROW(keys.setText(0, "zzzz"), Error);

    keys.takeIntoView();
    EXPECT_EQ(pool.recNo(), 0);
    EXPECT_EQ(Shown(pool, "Numero"), QStringList({"20", "60", "10", "40"}));
}

TEST_F(ColumnRewriteTest, ATransactionKeepsTheWholeRewriteOrNoneOfItAndJoinsABatch) {
    {
        WriteScope whole(db.connection(), WriteScope::Keeps::AllOrNothing);
        ColumnRewrite keys(pool, "Ordem");
        for (std::size_t i = 0; i < keys.size(); ++i)
            keys.setText(i, "qqqq");
        keys.writeUpTo(keys.size());
        // Not committed: nothing of it stays.
    }
    EXPECT_EQ(Column(db, "Ordem"), QStringList({"dddd", "bbbb", "xxxx", "cccc", "yyyy", "aaaa"}));

    {
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten);
        pool.edit();
        pool.field("Numero").setAsInteger(61);
        pool.post();
        WriteScope inner(db.connection(), WriteScope::Keeps::AllOrNothing);
        ColumnRewrite keys(pool, "Ordem");
        keys.setText(0, "qqqq");
        keys.writeUpTo(1);
        inner.rollback();
    }
    // The batch keeps its own row; the transaction inside it undid only itself.
    EXPECT_EQ(Column(db, "Numero"), QStringList({"10", "20", "30", "40", "50", "61"}));
    EXPECT_EQ(Column(db, "Ordem"), QStringList({"dddd", "bbbb", "xxxx", "cccc", "yyyy", "aaaa"}));

    {
        WriteScope whole(db.connection(), WriteScope::Keeps::AllOrNothing);
        ColumnRewrite keys(pool, "Ordem");
        for (std::size_t i = 0; i < keys.size(); ++i)
            keys.setText(i, "qqqq");
        keys.writeUpTo(keys.size());
        whole.commit();
    }
    EXPECT_EQ(Column(db, "Ordem"), QStringList({"qqqq", "qqqq", "xxxx", "qqqq", "yyyy", "qqqq"}));
}

TEST_F(ColumnRewriteTest, AViewReadAgainMeanwhileIsLetGoOf) {
    // An error half way (a full disk, a cut) closes and reopens the view
    // inside the rewrite's transaction: its old rows are gone.
    WriteScope whole(db.connection(), WriteScope::Keeps::AllOrNothing);
    ColumnRewrite keys(pool, "Ordem");
    for (std::size_t i = 0; i < keys.size(); ++i)
        keys.setText(i, "qqqq");
    keys.writeUpTo(2);
    pool.close();
    pool.open();
    EXPECT_TRUE(keys.viewReadAgain());
    EXPECT_THROW(keys.writeUpTo(keys.size()), Error);
    whole.rollback();
    keys.restoreView(); // touches nothing of the rows read since
    EXPECT_EQ(Shown(pool, "Ordem"), QStringList({"aaaa", "cccc", "qqqq", "qqqq"}));
}

TEST(ColumnRewriteTexts, LongAccentedEmptyAndUnsetTextsReachTheFileAsSet) {
    test::TempDatabase db;
    db.exec("INSERT INTO TbNome (Nome, Ordem, Ok) VALUES ('a', 'aaaa', 1), ('b', 'bbbb', 1), "
            "('c', 'cccc', 1), ('d', 'dddd', 1)");
    TableView names(db.connection(), {.table = "TbNome", .sortKey = "Cod"});
    names.open();
    const QString accented = QStringLiteral("Conceição Araújo de São João");
    {
        WriteScope whole(db.connection(), WriteScope::Keeps::AllOrNothing);
        ColumnRewrite rewrite(names, "Nome");
        rewrite.setText(0, accented);
        rewrite.setText(1, QStringLiteral("José"));
        rewrite.setText(2, QString(""));
        // The fourth is never set: it is written as the empty text.
        rewrite.writeUpTo(rewrite.size());
        whole.commit();
        rewrite.takeIntoView();
    }
    const QStringList expected = {accented, "José", "", ""};
    EXPECT_EQ(Column(db, "Nome", "TbNome"), expected);
    EXPECT_EQ(Shown(names, "Nome"), expected);
}

// The sort a view and a rewrite order millions of keys with, against the
// plain stable sort: many equal keys, the empty key and keys of any length
// up to four, and units too wide for the narrow words.
TEST(ShortKeyOrder, RowsSortAsAStableSortOfTheirPackedTextsWouldSortThem) {
    std::mt19937 generator(7);
    std::vector<std::uint64_t> packedOfRow;
    for (int i = 0; i < 5000; ++i) {
        QString key;
        const int length = static_cast<int>(generator() % 5);
        for (int c = 0; c < length; ++c)
            key += QChar(u'a' + static_cast<char16_t>(generator() % 3));
        packedOfRow.push_back(*PackedShortText(key));
    }
    std::vector<std::size_t> rows(packedOfRow.size());
    std::iota(rows.begin(), rows.end(), std::size_t{0});
    std::shuffle(rows.begin(), rows.end(), generator);
    std::vector<std::size_t> expected = rows;
    const auto packedOf = [&](std::size_t row) -> std::optional<std::uint64_t> {
        return packedOfRow[row];
    };
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::size_t a, std::size_t b) { return packedOfRow[a] < packedOfRow[b]; });
    std::vector<std::size_t> sorted = rows;
    ASSERT_TRUE(SortRowsByPackedText(sorted, packedOf));
    EXPECT_EQ(sorted, expected);

    // A unit wider than a byte takes the wide sort, with the same answer.
    packedOfRow[rows[10]] = 0x0101'0000'0000'0000;
    expected = rows;
    std::stable_sort(expected.begin(), expected.end(),
                     [&](std::size_t a, std::size_t b) { return packedOfRow[a] < packedOfRow[b]; });
    sorted = rows;
    ASSERT_TRUE(SortRowsByPackedText(sorted, packedOf));
    EXPECT_EQ(sorted, expected);

    // A text that does not pack leaves the rows as they were.
    sorted = rows;
    EXPECT_FALSE(SortRowsByPackedText(sorted, [&](std::size_t row) -> std::optional<std::uint64_t> {
        if (row == rows[4000])
            return std::nullopt;
        return packedOfRow[row];
    }));
    EXPECT_EQ(sorted, rows);
}

TEST(ShortKeyOrder, ShortKeysSortAsTheyDoAmongTextsThatCannotBePacked) {
    test::TempDatabase db;
    db.exec("INSERT INTO TbNome (Nome, Ordem, Ok) VALUES ('1', 'b', 1), ('2', 'ab', 1), "
            "('3', '', 1), ('4', NULL, 1), ('5', 'abcd', 1), ('6', 'abc', 1), ('7', 'a', 1), "
            "('8', 'ab', 1), ('9', 'zz', 1)");
    const QStringList expected = {"4", "3", "7", "2", "8", "6", "5", "1", "9"};
    TableView packed(db.connection(), {.table = "TbNome", .sortKey = "Ordem"});
    packed.open();
    EXPECT_EQ(Shown(packed, "Nome"), expected);

    // A key of capitals and one too long to pack sort the view as texts; the
    // keys that pack keep the order they had among themselves.
    db.exec("INSERT INTO TbNome (Nome, Ordem, Ok) VALUES ('10', 'AB', 1), ('11', 'abcde', 1)");
    TableView texts(db.connection(), {.table = "TbNome", .sortKey = "Ordem"});
    texts.open();
    QStringList mixed = Shown(texts, "Nome");
    EXPECT_EQ(mixed.size(), 11);
    mixed.removeAll("10");
    mixed.removeAll("11");
    EXPECT_EQ(mixed, expected);
}

} // namespace
} // namespace tiravo
