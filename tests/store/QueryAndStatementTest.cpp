// The winners query, its write-back, and the program's statements as this
// engine has to read them.
#include "common/Error.h"
#include "store/Dialect.h"
#include "store/Query.h"
#include "store/TableView.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

const QStringList kWinners = {"Select *", "From TbNome", "Where Ativo=True and Ok=False",
                              "Order by Sorte Desc"};

class QueryTest : public testing::Test {
protected:
    void SetUp() override {
        db.exec("INSERT INTO TbNome (Nome, Ok, Ativo, Sorte) VALUES "
                "('Ana', 0, 1, 1), ('Bia', 0, 1, 3), ('Caio', 1, 1, NULL), "
                "('Davi', NULL, 1, 2), ('Eva', 0, 0, 4), ('Fabio', 0, 1, 2)");
    }
    QStringList names(Query& q) {
        QStringList out;
        for (q.first(); !q.eof(); q.next())
            out << q.field("Nome").asString();
        return out;
    }
    test::TempDatabase db;
};

TEST_F(QueryTest, WinnersAreTheDrawnRowsLatestFirstAndNullsStayOut) {
    Query winners(db.connection(), kWinners);
    winners.open();
    EXPECT_EQ(names(winners), (QStringList{"Bia", "Fabio", "Ana"}));
    winners.first();
    EXPECT_EQ(winners.field("Sorte").asString(), QStringLiteral("3"));
    EXPECT_FALSE(winners.field("Ok").asBoolean());
}

TEST_F(QueryTest, EditedRowIsWrittenBackByKeyAndStaysUntilRequery) {
    Query winners(db.connection(), kWinners);
    winners.open();
    winners.next(); // Fabio
    winners.edit();
    winners.field("Ok").setAsString("T");
    winners.field("Sorte").setAsString("");
    winners.post();
    EXPECT_EQ(winners.recordCount(), 3); // the condition is not tested again
    EXPECT_EQ(winners.field("Nome").asString(), QStringLiteral("Fabio"));
    TableView pool(db.connection(), {.table = "TbNome", .filter = "Ok=True", .sortKey = "Nome"});
    pool.open();
    EXPECT_EQ(pool.recordCount(), 2);
    EXPECT_TRUE(pool.locate("Nome", "Fabio"));
    EXPECT_TRUE(pool.field("Sorte").isNull());
    winners.requery();
    EXPECT_EQ(winners.recNo(), 0);
    EXPECT_EQ(names(winners), (QStringList{"Bia", "Ana"}));
}

TEST_F(QueryTest, UpdateStatementRunsAsWritten) {
    db.exec("INSERT INTO TbNumero (Numero, Ok, Ativo, Sorte) VALUES (1, 1, 1, 5), (2, 0, 1, 6)");
    Query update(db.connection(), {"UPDATE TbNumero SET Ativo = False,  Ok=False, Sorte=Null"});
    update.execSql();
    Query check(db.connection(), {"Select *", "From TbNumero", "Where Ativo=False and Ok=False"});
    check.open();
    EXPECT_EQ(check.recordCount(), 2);
    EXPECT_TRUE(check.field("Sorte").isNull());
}

TEST_F(QueryTest, BadSqlIsAnErrorWithTheEnginesWords) {
    Query bad(db.connection(), {"Select * From Nowhere"});
    try {
        bad.open();
        FAIL();
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains("no such table")) << e.message().toStdString();
    }
    EXPECT_FALSE(bad.active());
}

TEST(Dialect, MapsTheBooleanLiteralsOutsideQuotesOnly) {
    EXPECT_EQ(ToEngineSql("Where Ativo=True and Ok=false"), "Where Ativo=1 and Ok=0");
    EXPECT_EQ(ToEngineSql("SET Nome = 'True', \"False\" = 1, [True] = 2"),
              "SET Nome = 'True', \"False\" = 1, [True] = 2");
    EXPECT_EQ(ToEngineSql("SET Nome = 'it''s True' WHERE TrueName = 1"),
              "SET Nome = 'it''s True' WHERE TrueName = 1");
}

} // namespace
} // namespace tiravo
