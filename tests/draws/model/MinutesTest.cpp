// The minutes of a day with batches and absent winners: a batch's draws
// stand together under one heading, which counts them, and never read as a
// bulk action; the absences stand apart, telling who, from which place and
// prize, when and why, while the draws stay in the order they were made.
#include "draws/model/Minutes.h"
#include "draws/model/AbsentWinner.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/RecordChain.h"
#include "draws/model/RecordWriter.h"
#include "store/Query.h"
#include "store/SqlStatement.h"
#include "store/WriteScope.h"
#include "support/TempDatabase.h"

#include <QDate>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <optional>

namespace tiravo {
namespace {

const QString kHash(64, u'f');

class MinutesOfADay : public testing::Test {
protected:
    MinutesOfADay() {
        db.connection().setClock([this] { return now; });
        for (int n = 1; n <= 9; ++n)
            db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                                   "VALUES ('%1', 'k%2', 1, 1)")
                        .arg(Name(n))
                        .arg(n));
        for (int n = 1; n <= 3; ++n)
            db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                   "VALUES (%1, 'k%1', 1, 0)")
                        .arg(n));
    }

    static QString Name(int n) {
        // A dash like the record's own separator, inside a name.
        return n == 3 ? QStringLiteral("Caio — Filho") : QStringLiteral("Nome %1").arg(n);
    }

    void at(int hour, int minute, int second = 0, int dayOfMonth = 22) {
        now = QDateTime(QDate(2026, 2, dayOfMonth), QTime(hour, minute, second),
                        QTimeZone(-3 * 3600));
    }

    std::int64_t nextSequence() {
        const std::vector<RecordRow> record = ReadRecord(db.connection());
        return record.empty() ? 1 : record.back().sequence + 1;
    }

    // Entry `n` of `pool` drawn to `place`, with its record row, as a draw
    // stores it; a batch's draw names its batch by the first draw's sequence.
    void drawn(const PoolDescription& pool, int n, int place, RecordAction action,
               std::optional<std::int64_t> batch = std::nullopt) {
        Connection& c = db.connection();
        WriteScope scope(c, WriteScope::Keeps::AllOrNothing);
        SqlStatement& write =
            c.statement(QStringLiteral("UPDATE \"%1\" SET \"Ok\" = 0, \"Ativo\" = 1, \"Sorte\" = ? "
                                       "WHERE \"Cod\" = ?")
                            .arg(pool.table));
        write.bind(1, std::int64_t(place));
        write.bind(2, std::int64_t(n));
        write.step();
        write.reset();
        RecordRow row;
        row.pool = pool.name;
        row.action = RecordActionText(action);
        row.item = n;
        row.entry = &pool == &NamePool() ? Name(n) : QString::number(n);
        row.place = place;
        row.available = 10 - place;
        row.count = batch;
        row.fingerprint = kHash;
        AppendRecordRow(c, row);
        scope.commit();
    }

    // The batch's draws, one after another, the first naming itself.
    std::int64_t batchOf(const PoolDescription& pool, const std::vector<std::pair<int, int>>& draws,
                         int hour, int minute) {
        const std::int64_t first = nextSequence();
        int second = 0;
        for (const auto& [n, place] : draws) {
            at(hour, minute, second += 2);
            drawn(pool, n, place, RecordAction::BatchDraw, first);
        }
        return first;
    }

    void absent(int place, const QString& reason) {
        Query winners(db.connection(), NamePool().winnersSql());
        winners.open();
        ASSERT_TRUE(winners.locate("Sorte", QString::number(place)));
        ASSERT_TRUE(MarkAbsent(winners, NamePool(), reason));
    }

    QStringList minutes(int dayOfMonth = 22) {
        return MinutesTexts(db.connection(), QDate(2026, 2, dayOfMonth));
    }

    test::TempDatabase db;
    QDateTime now;
};

QString Fingerprint() {
    return "impressão das %1 disponíveis: " + kHash;
}

TEST_F(MinutesOfADay, ABatchStandsUnderOneHeadingAndAnAbsenceApartUnderItsOwn) {
    at(18, 0, 0, 21); // the plan is made the day before
    AddPrize(db.connection(), NamePool(), "Bicicleta", 2);
    AddPrize(db.connection(), NamePool(), "Rádio", 8);
    at(9, 0);
    drawn(NamePool(), 1, 1, RecordAction::Draw);
    const std::int64_t first = batchOf(NamePool(), {{2, 2}, {3, 3}}, 9, 1);
    // The number screen's batch, run meanwhile on another pool, is a batch of its own.
    batchOf(NumberPool(), {{1, 1}, {2, 2}}, 9, 2);
    // Another copy of the program draws one name while the batch goes on.
    at(9, 3);
    drawn(NamePool(), 4, 4, RecordAction::Draw);
    at(9, 3, 30);
    drawn(NamePool(), 5, 5, RecordAction::BatchDraw, first);
    at(9, 10);
    absent(2, "não compareceu");
    at(9, 11);
    absent(3, QString());
    at(9, 12);
    drawn(NamePool(), 6, 2, RecordAction::Draw);

    const QStringList texts = minutes();
    const QString all = texts.join('\n');
    // No row of a batch reads as a bulk action of so many entries.
    EXPECT_FALSE(all.contains("entrada")) << all.toStdString();
    EXPECT_FALSE(all.contains("sorteio em lote")) << all.toStdString();

    const qsizetype names = texts.indexOf("Nomes");
    ASSERT_GE(names, 0) << all.toStdString();
    const qsizetype header = texts.indexOf("Hora|Sorte|Entrada|Prêmio", names);
    ASSERT_GE(header, 0) << all.toStdString();
    // The batch where its first draw was, with the draw of the other copy
    // after it; the draws whose winners were absent say so.
    EXPECT_EQ(texts.mid(header + 1, 13),
              QStringList({"09:00:00 -03:00|1º|Nome 1|Bicicleta", Fingerprint().arg(9),
                           "Lote de 3 sorteios — Nomes — 09:01:02 -03:00",
                           "09:01:02 -03:00|2º|Nome 2 (ausente)|Bicicleta", Fingerprint().arg(8),
                           "09:01:04 -03:00|3º|Caio — Filho (ausente)|Rádio", Fingerprint().arg(7),
                           "09:03:30 -03:00|5º|Nome 5|Rádio", Fingerprint().arg(5),
                           "09:03:00 -03:00|4º|Nome 4|Rádio", Fingerprint().arg(6),
                           "09:12:00 -03:00|2º|Nome 6|Bicicleta", Fingerprint().arg(8)}))
        << all.toStdString();
    EXPECT_EQ(texts.mid(header + 14, 5),
              QStringList({"Ganhadores ausentes (2)", "Hora|Lugar|Ganhador|Prêmio",
                           "09:10:00 -03:00|2º|Nome 2|Bicicleta", "motivo: não compareceu",
                           "09:11:00 -03:00|3º|Caio — Filho|Rádio"}))
        << all.toStdString();

    const qsizetype numbers = texts.indexOf("Números");
    ASSERT_GE(numbers, 0) << all.toStdString();
    EXPECT_EQ(texts.mid(numbers + 1, 6),
              QStringList({"Hora|Sorte|Entrada", "Lote de 2 sorteios — Números — 09:02:02 -03:00",
                           "09:02:02 -03:00|1º|1", Fingerprint().arg(9), "09:02:04 -03:00|2º|2",
                           Fingerprint().arg(8)}))
        << all.toStdString();
    EXPECT_FALSE(texts.mid(numbers).contains("Ganhadores ausentes (0)"));
}

// An absence the day after its draw names the winner all the same; a pool
// without a plan lists no prize; a day with only absences has no table of
// draws.
TEST_F(MinutesOfADay, AnAbsenceOfAnEarlierDrawAndWithoutAPlanTellsWhoAndWhy) {
    at(21, 0, 0, 21);
    drawn(NamePool(), 3, 1, RecordAction::Draw);
    drawn(NamePool(), 1, 2, RecordAction::Draw);
    at(10, 0);
    absent(1, "foi embora");

    const QStringList texts = minutes();
    const qsizetype names = texts.indexOf("Nomes");
    ASSERT_GE(names, 0) << texts.join('\n').toStdString();
    EXPECT_EQ(texts.mid(names + 1, 4),
              QStringList({"Ganhadores ausentes (1)", "Hora|Lugar|Ganhador",
                           "10:00:00 -03:00|1º|Caio — Filho", "motivo: foi embora"}))
        << texts.join('\n').toStdString();
    EXPECT_FALSE(texts.contains("Hora|Sorte|Entrada"));
    // The day of the draws is told as before: no mark on a draw whose
    // absence came later.
    const QStringList before = minutes(21);
    EXPECT_TRUE(before.contains("21:00:00 -03:00|1º|Caio — Filho"))
        << before.join('\n').toStdString();
}

} // namespace
} // namespace tiravo
