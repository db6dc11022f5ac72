// The rows a view holds as arrays must read back as the values the file
// holds, whatever kind of value a column holds, and after every change.
#include "store/Connection.h"
#include "store/FlatColumn.h"
#include "store/SqlStatement.h"
#include "store/TableView.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

const QString kLong = QStringLiteral("Participante 12 da Silva Pereira Santos");

std::string Shown(const Value& value) {
    if (IsNull(value))
        return "null";
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return "int " + std::to_string(*number);
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? "true" : "false";
    return "text '" + std::get<QString>(value).toStdString() + "' of " +
           std::to_string(std::get<QString>(value).size());
}

// Every cell of the view against the same row read by a statement of its own,
// which types each value one at a time.
void ExpectViewReadsAsTheFile(test::TempDatabase& db, TableView& view) {
    QStringList names;
    for (const Column& column : view.columns())
        names << column.name;
    SqlStatement& statement = db.connection().statement(
        QStringLiteral("SELECT %1 FROM TbNome ORDER BY Cod").arg(names.join(u',')));
    int rows = 0;
    for (view.first(); !view.eof(); view.next(), ++rows) {
        ASSERT_TRUE(statement.step());
        for (std::size_t i = 0; i < view.columns().size(); ++i)
            EXPECT_EQ(Shown(view.field(i).value()),
                      Shown(statement.column(static_cast<int>(i), view.columns()[i].type)))
                << "row " << rows << ", " << view.columns()[i].name.toStdString();
    }
    EXPECT_FALSE(statement.step());
    statement.reset();
}

TEST(FlatRows, AViewReadsEveryKindOfValueAsTheFileHoldsItAndKeepsWhatIsPosted) {
    test::TempDatabase db;
    // Short and long texts, texts that are not plain letters, a character
    // of code zero, numbers and reals where texts belong and texts where
    // numbers and booleans belong, nulls and empty texts.
    db.exec(QStringLiteral(
                "INSERT INTO TbNome (Nome, Ordem, Ok, Ativo, CdLista, Sorte) VALUES "
                "(NULL, 'abcd', 1, 0, NULL, 7), ('', '', 0, NULL, 3, NULL), "
                "('%1', 'ABCD', 'True', 'x', 'y', '12'), ('Zé', 'zé', '1', 1, 2, 'z'), "
                "('ab' || char(0) || 'c', 'a', NULL, 1, NULL, 1.5), (123, 45, 2, 0, -5, -32768), "
                "(1.5, 'ção', 'no', 1, 0, 0), ('%1 e mais', 'wxyz', 1, 1, 1, 1)")
                .arg(kLong));
    TableView view(db.connection(), {.table = "TbNome"});
    view.open();
    ASSERT_EQ(view.recordCount(), 8);
    ExpectViewReadsAsTheFile(db, view);

    // Long texts replaced by short ones and the other way round, a text
    // set to null and back: the snapshot holds what was posted.
    const QStringList names = {"ab", kLong, "", "Ana", "Zé da Silva", "x", kLong + "!", "abcd"};
    for (int round = 0; round < 3; ++round) {
        int i = round;
        for (view.first(); !view.eof(); view.next(), ++i) {
            view.edit();
            if (i % 5 == 4)
                view.field("Nome").clear();
            else
                view.field("Nome").setAsString(names[i % names.size()]);
            view.field("Ordem").setAsString(names[(i + 3) % names.size()]);
            view.post();
        }
        ExpectViewReadsAsTheFile(db, view);
    }
}

TEST(FlatRows, TextsReadBackAfterTheBufferIsSqueezed) {
    FlatColumn column;
    FlatColumn copy;
    const QString shortText = QStringLiteral("ab");
    for (int i = 0; i < 100; ++i)
        column.push(i % 3 == 0 ? Value(kLong + QString::number(i))
                               : (i % 3 == 1 ? Value(std::int64_t{i}) : Value(shortText)));
    // More than a megabyte of texts overwritten, so the buffer is squeezed
    // again and again while some cells keep their first texts.
    for (int round = 0; round < 3000; ++round)
        for (int i = 0; i < 100; i += 6)
            column.set(static_cast<std::size_t>(i), kLong + QString::number(round * 1000 + i));
    for (std::size_t i = 0; i < column.size(); ++i)
        copy.pushCell(column, i);
    column.setCell(1, copy, 0);
    column.popBack();
    ASSERT_EQ(column.size(), 99u);
    for (int i = 0; i < 99; ++i) {
        const Value expected =
            i == 1 || i % 6 == 0
                ? Value(kLong + QString::number(2999 * 1000 + (i == 1 ? 0 : i)))
                : (i % 3 == 0 ? Value(kLong + QString::number(i))
                              : (i % 3 == 1 ? Value(std::int64_t{i}) : Value(shortText)));
        EXPECT_EQ(Shown(column.value(static_cast<std::size_t>(i))), Shown(expected)) << i;
        EXPECT_EQ(Shown(copy.value(static_cast<std::size_t>(i))),
                  Shown(i == 1 ? Value(std::int64_t{1}) : expected))
            << i;
    }
}

// Arrays that outgrow the ordinary heap move to mappings of their own as
// they grow, and back when they shrink; their cells stay as written.
TEST(FlatRows, ColumnsOfMillionsOfCellsKeepThemAcrossEveryGrowth) {
    FlatColumn words;
    FlatColumn texts;
    constexpr int kCells = 1'200'000; // arrays of about ten megabytes
    for (int i = 0; i < kCells; ++i) {
        words.pushInteger(i);
        texts.push(kLong.left(5 + i % 30));
    }
    for (int i = 0; i < kCells; i += 997) {
        EXPECT_EQ(words.integer(static_cast<std::size_t>(i)), i);
        EXPECT_EQ(Shown(texts.value(static_cast<std::size_t>(i))), Shown(kLong.left(5 + i % 30)));
    }
    FlatColumn copy;
    copy.pushCell(texts, kCells - 1);
    texts.clear();
    EXPECT_EQ(Shown(copy.value(0)), Shown(kLong.left(5 + (kCells - 1) % 30)));

    LargeArray<std::int64_t> array;
    for (std::int64_t i = 0; i < 3'000'000; ++i)
        array.push_back(i * 3);
    LargeArray<std::int64_t> moved = std::move(array);
    moved.resize(1000);
    moved.shrink_to_fit();
    EXPECT_EQ(moved.size(), 1000u);
    EXPECT_EQ(moved[999], 2997);
}

} // namespace
} // namespace tiravo
