// The pool model's bulk loops where a window cannot easily reach them: a store
// that fails half way, and the ends of the range of numbers.
#include "common/Error.h"
#include "draws/model/NumberRange.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/PoolKeys.h"
#include "draws/model/StepCounts.h"
#include "store/Query.h"
#include "store/WriteScope.h"
#include "support/FakeClock.h"
#include "support/FakeRandom.h"
#include "support/PoolRows.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>

namespace tiravo {
namespace {

using test::ColumnOf;

// Fails the second post of a view.
void FailSecondPost(Dataset& view) {
    view.beforePost = [posts = 0](Dataset&) mutable {
        if (++posts == 2)
            throw Error("disk I/O error");
    };
}

TEST(PoolKeys, ARewriteThatFailsLeavesThePoolOnItsKeysAndOnAvailableRowsOnly) {
    test::TempDatabase db;
    test::AddNumbers(db, {{1, "dddd"}, {2, "cccc"}, {3, "bbbb"}, {4, "aaaa"}});
    db.exec("UPDATE TbNumero SET Ok = 0, Ativo = 1, Sorte = Cod WHERE Numero <= 2");
    db.exec("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON TbNumero WHEN NEW.Cod = 3 "
            "BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END");
    FakeRandom random;
    TableView pool(db.connection(), test::NumberPool());
    pool.open();

    // Left sorted by Cod, the next draw would start from the first number added.
    EXPECT_THROW(ReshufflePool(pool, random), Error);
    EXPECT_EQ(pool.sortKey(), "Ordem");
    EXPECT_FALSE(pool.editing());
    EXPECT_EQ(ColumnOf(db.connection(), "Ordem"), QStringList({"dddd", "cccc", "bbbb", "aaaa"}));

    // Left unfiltered, it would offer a drawn number to the next draw.
    EXPECT_THROW(ReleaseThroughFilter(pool, QString(), random), Error);
    EXPECT_EQ(pool.filter(), "Ok = True");
    EXPECT_EQ(pool.recordCount(), 2);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok"), QStringList({"False", "False", "True", "True"}));

    // A view whose hook must see each row is never rewritten behind its back.
    db.exec("DROP TRIGGER refuse");
    pool.beforePost = [](Dataset&) {};
    EXPECT_THROW(ReshufflePool(pool, random), Error);
    EXPECT_EQ(ColumnOf(db.connection(), "Ordem"), QStringList({"dddd", "cccc", "bbbb", "aaaa"}));
}

// A release of more rows than one statement writes, refused by the file
// part way through: the rows written before the refusal go too, whether the
// release is all its transaction holds or joins a batch that keeps its own
// rows, and the view shows the file again.
TEST(PoolKeys, AReleaseRefusedPartWayStoresNothingOfIt) {
    test::TempDatabase db;
    constexpr int kRows = 70000; // more than one slice of the rewrite
    db.exec(QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                "INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) SELECT x, 'abcd', x % 2, 0 "
                "FROM n")
                .arg(kRows));
    db.exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON TbNumero "
                           "WHEN NEW.Cod = %1 BEGIN SELECT RAISE(ABORT, 'disk I/O error'); END")
                .arg(kRows - 10));
    const auto count = [&](const QString& sql) {
        Query query(db.connection(), {sql});
        query.open();
        return query.field(0).asInteger();
    };
    const QString released = QStringLiteral("SELECT count(*) FROM TbNumero WHERE Ok = 1");
    const QString newKeys = QStringLiteral("SELECT count(*) FROM TbNumero WHERE Ordem <> 'abcd'");
    const QString recordRows = QStringLiteral("SELECT count(*) FROM TbRegistro");
    const std::int64_t recordBefore = count(recordRows);
    FakeRandom random;
    TableView pool(db.connection(), test::NumberPool());
    pool.open();
    ASSERT_EQ(pool.recordCount(), kRows / 2);

    for (const bool insideABatch : {false, true}) {
        SCOPED_TRACE(insideABatch ? "inside a batch" : "alone");
        {
            std::optional<WriteScope> batch;
            if (insideABatch) {
                batch.emplace(db.connection(), WriteScope::Keeps::WhatWasWritten);
                db.exec("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) VALUES (0, 'abcd', 0, 0)");
            }
            EXPECT_THROW(ReleaseThroughFilter(pool, QString(), random), Error);
        }
        EXPECT_EQ(count(released), kRows / 2);
        EXPECT_EQ(count(newKeys), 0);
        EXPECT_EQ(count(recordRows), recordBefore);
        EXPECT_EQ(pool.filter(), "Ok = True");
        EXPECT_EQ(pool.recordCount(), kRows / 2);
        pool.first();
        EXPECT_EQ(pool.field("Ordem").asString(), "abcd");
    }
    // The batch kept the row it added before the release.
    EXPECT_EQ(count(QStringLiteral("SELECT count(*) FROM TbNumero")), kRows + 1);
}

TEST(NumberRange, EndsWhateverTheStoreRefuses) {
    test::TempDatabase db;
    FakeRandom random;
    TableView view(db.connection(), {.table = "TbNumero",
                                     .columns = {"Cod", "Numero", "Ordem", "Ok"},
                                     .filter = "Ok = True",
                                     .required = {"Numero"}});
    view.open();

    // One row refused: skipped without a word, the rest stored.
    view.beforePost = [](Dataset& d) {
        if (d.field("Numero").asInteger() == 3)
            throw Error("refused");
    };
    EXPECT_EQ(InsertNumberRange(view, 1, 4, random), 3);
    EXPECT_EQ(ColumnOf(db.connection(), "Numero"), QStringList({"1", "2", "4"}));
    view.beforePost = nullptr;

    // No row can even begin: the error ends the loop at once.
    int begun = 0;
    view.afterInsert = [&](Dataset&) {
        ++begun;
        throw Error("Cannot insert into a read-only table");
    };
    EXPECT_THROW(InsertNumberRange(view, 1, 1000, random), Error);
    EXPECT_EQ(begun, 1);
    EXPECT_FALSE(view.editing());
    view.afterInsert = nullptr;

    // A row the operator left open without its number stays open.
    view.insert();
    view.field("Ok").setAsString("T");
    EXPECT_THROW(InsertNumberRange(view, 1, 3, random), Error);
    EXPECT_EQ(view.state(), DatasetState::Insert);
    view.cancel();

    // The largest number ends the range instead of wrapping round.
    constexpr int kMax = std::numeric_limits<int>::max();
    EXPECT_EQ(InsertNumberRange(view, kMax - 1, kMax, random), 2);
    EXPECT_EQ(ColumnOf(db.connection(), "Numero").size(), 5);
}

TEST(PoolKeys, AKeyRenewalThatFailsLeavesNoRowInEditing) {
    test::TempDatabase db;
    test::AddNumbers(db, {{1, "aaaa"}, {2, "bbbb"}, {3, "cccc"}});
    FakeRandom random;
    TableView view(db.connection(), test::NumberPool());
    view.open();
    FailSecondPost(view);
    EXPECT_THROW(RenewOrderKeys(view, random), Error);
    // The next move would otherwise post the half-renewed row silently.
    EXPECT_FALSE(view.editing());
    view.beforePost = nullptr;
    view.next();
    EXPECT_EQ(ColumnOf(db.connection(), "Ordem"), QStringList({"aaaa", "bbbb", "cccc"}));
}

// Two copies of the program on one file, each with its own pool view and
// winners list, as two draw screens have them.
class TwoPrograms : public testing::Test {
protected:
    struct Program {
        explicit Program(Connection& c)
            : pool(c, test::NumberPool()),
              winners(c, {"Select *", "From TbNumero", "Where Ativo=True and Ok=False",
                          "Order by Sorte Desc"}) {
            pool.open();
            winners.open();
        }
        TableView pool;
        Query winners;
    };

    TwoPrograms() {
        test::AddNumbers(db, {{84, "aaaa"}, {7, "bbbb"}, {9, "cccc"}});
        second = db.openSecond();
        a = std::make_unique<Program>(db.connection());
        b = std::make_unique<Program>(*second);
    }

    // What the draw of `program` tells the operator, or "" when it recorded.
    static QString draw(Program& program, const EntryNaming& naming = NumberEntries()) {
        try {
            RecordWinner(program.pool, program.winners, WinnerFlag::OkPlaceAndActive, naming);
        } catch (const EntryTakenElsewhere& gone) {
            return gone.message();
        }
        return {};
    }

    test::TempDatabase db;
    std::unique_ptr<Connection> second;
    std::unique_ptr<Program> a;
    std::unique_ptr<Program> b;
};

TEST_F(TwoPrograms, AnEntryDrawnByTheOtherIsRefusedByNameAndBothViewsAreReadAgain) {
    EXPECT_EQ(draw(*a), "");
    EXPECT_EQ(draw(*b), "O número 84 não está mais disponível: já foi sorteado ou retirado em "
                        "outro programa. Nada foi gravado: faça o sorteio novamente.");
    EXPECT_FALSE(b->pool.editing());
    EXPECT_EQ(ColumnOf(db.connection(), "Sorte"), QStringList({"1", "", ""}));
    // B now sees the file: two numbers left, A's winner listed, so its next
    // draw follows it.
    EXPECT_EQ(b->pool.recordCount(), 2);
    EXPECT_EQ(b->winners.recordCount(), 1);
    EXPECT_EQ(draw(*b), "");
    EXPECT_EQ(ColumnOf(db.connection(), "Sorte"), QStringList({"1", "2", ""}));

    // The same for a take-out, and for a row deleted by the other program.
    a->pool.close();
    a->pool.open(); // on 9 now
    second->execute("DELETE FROM TbNumero WHERE Numero = 9");
    try {
        TakeOut(a->pool, a->winners, NumberEntries());
        ADD_FAILURE() << "a deleted number was taken out";
    } catch (const EntryTakenElsewhere& gone) {
        EXPECT_TRUE(gone.message().startsWith("O número 9 não está mais disponível"));
    }
    EXPECT_EQ(a->pool.recordCount(), 0);
    EXPECT_EQ(a->winners.recordCount(), 2);
}

TEST_F(TwoPrograms, NamesAndPhotosAreNamedInTheirOwnWords) {
    EXPECT_EQ(draw(*a), "");
    EXPECT_EQ(draw(*b, {"Ordem", "A foto", true}),
              "A foto aaaa não está mais disponível: já foi sorteada ou retirada em outro "
              "programa. Nada foi gravado: faça o sorteio novamente.");
    EXPECT_EQ(PhotoEntries().column, "Foto");
    EXPECT_EQ(NameEntries().noun, "O nome");
    b->pool.close();
    b->pool.open();
    second->execute("UPDATE TbNumero SET Ok = NULL");
    EXPECT_EQ(draw(*b, {}),
              "Este item não está mais disponível: já foi sorteado ou retirado em outro "
              "programa. Nada foi gravado: faça o sorteio novamente.");
}

class TensOfSeconds : public testing::TestWithParam<std::pair<int, int>> {};

TEST_P(TensOfSeconds, PickTheNumberScreensStepCount) {
    FakeClock clock;
    clock.setTime(QTime(12, 0, GetParam().first));
    EXPECT_EQ(TensOfSecondsStepCount(clock), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Table, TensOfSeconds,
                         testing::Values(std::pair{0, 3}, std::pair{19, 5}, std::pair{20, 7},
                                         std::pair{37, 4}, std::pair{45, 6}, std::pair{59, 8}));

} // namespace
} // namespace tiravo
