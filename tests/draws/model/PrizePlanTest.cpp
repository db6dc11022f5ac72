// A pool's prize plan as the file keeps it: the places each prize covers,
// the checks of what the operator types, one recorded transaction per change,
// and two copies of the program changing one plan.
#include "draws/model/PrizePlan.h"

#include "common/Error.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/RecordChain.h"
#include "draws/model/RecordCheck.h"
#include "store/Query.h"
#include "store/Schema.h"
#include "store/SchemaUpgrade.h"
#include "store/TableView.h"
#include "support/OrdinaryUser.h"
#include "support/PoolRows.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

QStringList Described(const PrizePlan& plan) {
    QStringList lines;
    for (const Prize& prize : plan.prizes)
        lines << QStringLiteral("%1 %2 %3")
                     .arg(PlacesText(prize))
                     .arg(prize.quantity)
                     .arg(prize.description);
    return lines;
}

std::int64_t Count(Connection& connection, const QString& sql) {
    Query query(connection, {sql});
    query.open();
    return query.field(0).asInteger();
}

TEST(PrizePlan, PlacesFollowTheOrderAndTheQuantities) {
    test::TempDatabase db;
    Connection& c = db.connection();
    EXPECT_TRUE(ReadPrizePlan(c, NamePool()).empty());
    AddPrize(c, NamePool(), QStringLiteral("  Bicicleta "), 3);
    AddPrize(c, NamePool(), QStringLiteral("Televisor"), 1);
    AddPrize(c, NamePool(), QStringLiteral("Cesta de Natal"), 10);
    AddPrize(c, NumberPool(), QStringLiteral("Carro"), 1);

    PrizePlan plan = ReadPrizePlan(c, NamePool());
    EXPECT_EQ(Described(plan),
              QStringList({"1º a 3º 3 Bicicleta", "4º 1 Televisor", "5º a 14º 10 Cesta de Natal"}));
    EXPECT_EQ(plan.places(), 14);
    EXPECT_EQ(plan.prizeOfPlace(3)->description, "Bicicleta");
    EXPECT_EQ(plan.prizeOfPlace(4)->description, "Televisor");
    EXPECT_EQ(plan.prizeOfPlace(14)->description, "Cesta de Natal");
    EXPECT_EQ(plan.prizeOfPlace(15), nullptr);
    EXPECT_EQ(plan.prizeOfPlace(0), nullptr);
    EXPECT_EQ(PlaceAndPrizeText(3, *plan.prizeOfPlace(3)), "3º prêmio — Bicicleta");
    EXPECT_EQ(Described(ReadPrizePlan(c, NumberPool())), QStringList({"1º 1 Carro"}));
    EXPECT_TRUE(ReadPrizePlan(c, PhotoPool()).empty());

    MovePrize(c, NamePool(), plan.prizes[2].cod, -1);
    EXPECT_EQ(
        Described(ReadPrizePlan(c, NamePool())),
        QStringList({"1º a 3º 3 Bicicleta", "4º a 13º 10 Cesta de Natal", "14º 1 Televisor"}));
    plan = ReadPrizePlan(c, NamePool());
    MovePrize(c, NamePool(), plan.prizes[0].cod, -1); // already first: nothing
    MovePrize(c, NamePool(), plan.prizes[2].cod, +1); // already last: nothing
    ChangePrize(c, NamePool(), plan.prizes[0].cod, QStringLiteral("Bicicleta aro 26"), 2);
    RemovePrize(c, NamePool(), plan.prizes[1].cod);
    EXPECT_EQ(Described(ReadPrizePlan(c, NamePool())),
              QStringList({"1º a 2º 2 Bicicleta aro 26", "3º 1 Televisor"}));
}

TEST(PrizePlan, BadInputIsRefusedInPortugueseAndChangesNothing) {
    test::TempDatabase db;
    Connection& c = db.connection();
    AddPrize(c, PhotoPool(), QStringLiteral("Bicicleta"), 2);
    const std::int64_t cod = ReadPrizePlan(c, PhotoPool()).prizes[0].cod;
    const std::int64_t rows = Count(c, "SELECT count(*) FROM TbRegistro");

    const auto message = [](const auto& change) {
        try {
            change();
        } catch (const Error& error) {
            return error.message();
        }
        return QStringLiteral("accepted");
    };
    const QString sixtyOne(61, u'x');
    EXPECT_EQ(message([&] { AddPrize(c, PhotoPool(), QStringLiteral("   "), 1); }),
              "Informe a descrição do prêmio.");
    EXPECT_EQ(message([&] { AddPrize(c, PhotoPool(), sixtyOne, 1); }),
              "A descrição do prêmio tem no máximo 60 caracteres.");
    EXPECT_EQ(message([&] { AddPrize(c, PhotoPool(), QStringLiteral("Bici\tcleta"), 1); }),
              "A descrição do prêmio não pode ter caracteres de controle.");
    EXPECT_EQ(message([&] { AddPrize(c, PhotoPool(), QStringLiteral("Bola"), 0); }),
              "A quantidade do prêmio deve ser de 1 a 9.999.");
    EXPECT_EQ(message([&] { ChangePrize(c, PhotoPool(), cod, QStringLiteral("Bola"), 10000); }),
              "A quantidade do prêmio deve ser de 1 a 9.999.");
    EXPECT_EQ(message([&] { ChangePrize(c, PhotoPool(), cod, QString(), 1); }),
              "Informe a descrição do prêmio.");
    EXPECT_EQ(message([&] { AddPrize(c, PhotoPool(), QString(60, u'ç'), 9999); }), "accepted");

    const PrizePlan plan = ReadPrizePlan(c, PhotoPool());
    ASSERT_EQ(plan.prizes.size(), 2u);
    EXPECT_EQ(plan.prizes[0].description, "Bicicleta");
    EXPECT_EQ(plan.prizes[0].quantity, 2);
    EXPECT_EQ(plan.places(), 2 + 9999);
    EXPECT_EQ(Count(c, "SELECT count(*) FROM TbRegistro"), rows + 1);
}

// A plan change between draws leaves the verifier tracing the draws before it.
TEST(PrizePlan, EveryChangeIsOneRecordRowThatTheVerifierAccepts) {
    test::TempDatabase db;
    Connection& c = db.connection();
    test::AddNumbers(db, {{7, "aaaa"}, {8, "bbbb"}, {9, "cccc"}});
    TableView pool(c, test::NumberPool());
    Query winners(c, NumberPool().winnersSql());
    pool.open();
    winners.open();
    RecordWinner(pool, winners, WinnerFlag::OkPlaceAndActive, NumberEntries());
    AddPrize(c, NumberPool(), QStringLiteral("Bicicleta"), 3);
    AddPrize(c, NumberPool(), QStringLiteral("Televisor"), 1);
    PrizePlan plan = ReadPrizePlan(c, NumberPool());
    ChangePrize(c, NumberPool(), plan.prizes[0].cod, QStringLiteral("Bicicleta"), 3); // no change
    ChangePrize(c, NumberPool(), plan.prizes[0].cod, QStringLiteral("Bicicleta"), 2);
    MovePrize(c, NumberPool(), plan.prizes[1].cod, -1);
    RemovePrize(c, NumberPool(), plan.prizes[0].cod);

    std::vector<QString> entries;
    const std::vector<RecordRow> record = ReadRecord(c);
    for (std::size_t i = 1; i < record.size(); ++i) {
        EXPECT_EQ(record[i].pool, "numeros");
        EXPECT_EQ(record[i].action, "prêmios");
        EXPECT_FALSE(record[i].place);
        entries.push_back(record[i].entry.value_or(QString()));
    }
    EXPECT_EQ(entries, std::vector<QString>({"incluído: 3 × Bicicleta", "incluído: 1 × Televisor",
                                             "alterado: 3 × Bicicleta para 2 × Bicicleta",
                                             "movido para a 1ª posição do plano: Televisor",
                                             "removido: 2 × Bicicleta"}));
    const RecordCheck check = CheckRecord(c);
    EXPECT_TRUE(check.holds) << check.problem.toStdString();
    EXPECT_EQ(check.fingerprints, 1); // the draw before the plan's rows
}

TEST(PrizePlan, AChangeByAnotherCopyIsSeenAndAPrizeRemovedThereIsNotChangedHere) {
    test::TempDatabase db;
    auto other = db.openSecond();
    AddPrize(db.connection(), NumberPool(), QStringLiteral("Bicicleta"), 1);
    const PrizePlan seen = ReadPrizePlan(*other, NumberPool());
    ASSERT_EQ(seen.prizes.size(), 1u);
    RemovePrize(db.connection(), NumberPool(), seen.prizes[0].cod);
    try {
        ChangePrize(*other, NumberPool(), seen.prizes[0].cod, QStringLiteral("Bola"), 1);
        ADD_FAILURE() << "a removed prize was changed";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains("não está mais no plano"));
    }
    EXPECT_TRUE(ReadPrizePlan(*other, NumberPool()).empty());
    EXPECT_EQ(Count(*other, "SELECT count(*) FROM TbPremio"), 0);
    EXPECT_EQ(Count(*other, "SELECT count(*) FROM TbRegistro"), 2);
}

// A file of the version before the plans that cannot be written still opens,
// without a plan, and keeps its version.
TEST(PrizePlan, AFileBeforePlansThatCannotBeWrittenOpensWithoutOne) {
    test::TempDatabase db;
    db.exec("DROP TABLE TbPremio");
    db.exec("PRAGMA user_version = 2");
    db.connection().close();
    test::OrdinaryUser user(db.folder());
    if (!user.ready())
        GTEST_SKIP() << "running as root without the right to act as another user";
    test::SetWritable(db.path(), false);
    auto reader = db.openSecond();
    EXPECT_TRUE(reader->readOnly());
    EXPECT_EQ(SchemaVersion(*reader), 2);
    EXPECT_TRUE(ReadPrizePlan(*reader, NamePool()).empty());
    reader.reset();
    test::SetWritable(db.path(), true);
    EXPECT_EQ(SchemaVersion(*db.openSecond()), kSchemaVersion);
}

} // namespace
} // namespace tiravo
