// The record of draws as the pool moves write it: one chained row per change,
// in the change's own transaction, whoever else writes to the file.
#include "common/Error.h"
#include "draws/VantaNumero.h"
#include "draws/model/AvailableEntries.h"
#include "draws/model/DrawWork.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/RecordChain.h"
#include "draws/model/RecordCheck.h"
#include "store/Query.h"
#include "support/FakePause.h"
#include "support/FakeRandom.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"

#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using test::ColumnOf;

void AddInOrder(test::TempDatabase& db, int count) {
    for (int n = 1; n <= count; ++n)
        db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                               "VALUES (%1, 'k%2', 1, 0)")
                    .arg(n)
                    .arg(n, 3, 10, QLatin1Char('0')));
}

QString FingerprintOfNumbers(const std::vector<std::pair<int, int>>& codAndNumber) {
    QByteArray lines;
    for (const auto& [cod, number] : codAndNumber)
        lines += QByteArray::number(cod) + '\t' + QByteArray::number(number) + '\n';
    return FingerprintOf(lines);
}

// One copy of the program's pool view and winners list of the number pool.
struct Copy {
    explicit Copy(Connection& c)
        : pool(c, test::NumberPool()),
          winners(c, {"Select *", "From TbNumero", "Where Ativo=True and Ok=False",
                      "Order by Sorte Desc"}) {
        pool.open();
        winners.open();
    }
    bool draw() {
        try {
            RecordWinner(pool, winners, WinnerFlag::OkPlaceAndActive, NumberEntries());
        } catch (const EntryTakenElsewhere&) {
            return false;
        }
        return true;
    }
    TableView pool;
    Query winners;
};

TEST(DrawRecord, TheNumberScreensCommandsEachAppendOneChainedRowNamingTheOperator) {
    test::TempDatabase db;
    AddInOrder(db, 11);
    db.connection().setOperatorName(QStringLiteral("Conceição"));
    TestServices fake;
    fake.clock.setTime(QTime(12, 0, 37));
    TFVantaNumero w(nullptr, fake.context(db.connection()));
    QTest::mouseClick(w.Button5, Qt::LeftButton); // draws 5
    QTest::mouseClick(w.Button4, Qt::LeftButton); // the hidden pick
    fake.dialogs.answerYes();
    QTest::mouseClick(w.Button3, Qt::LeftButton); // every number back
    fake.dialogs.answerYes();
    QTest::mouseClick(w.Button2, Qt::LeftButton); // the list emptied
    ASSERT_EQ(fake.dialogs.texts(DialogKind::Error), QStringList());

    const std::vector<RecordRow> rows = ReadRecord(db.connection());
    ASSERT_EQ(rows.size(), 4u);
    const RecordRow& draw = rows[0];
    EXPECT_EQ(draw.sequence, 1);
    EXPECT_EQ(draw.operatorName, "Conceição");
    EXPECT_EQ(draw.pool, "numeros");
    EXPECT_EQ(draw.action, "sorteio");
    EXPECT_EQ(draw.item, 5);
    EXPECT_EQ(draw.entry, "5"); // as stored, not as the screen shows it
    EXPECT_EQ(draw.place, 1);
    EXPECT_EQ(draw.available, 11);
    EXPECT_EQ(draw.count, std::nullopt);
    std::vector<std::pair<int, int>> all;
    for (int n = 1; n <= 11; ++n)
        all.emplace_back(n, n);
    EXPECT_EQ(draw.fingerprint, FingerprintOfNumbers(all));
    // The program's clock, which the test holds at 1 February 2024 in UTC,
    // not the computer's.
    EXPECT_TRUE(
        QRegularExpression(R"(^2024-02-01T12:0\d:\d\d\.\d{3}Z$)").match(draw.moment).hasMatch())
        << draw.moment.toStdString();
    EXPECT_EQ(draw.offset, "+00:00");
    EXPECT_EQ(draw.previousHash, QString(64, u'0'));
    EXPECT_EQ(draw.hash, RowHash(draw));

    // The hidden pick names its number without a place, even one whose old
    // place the file keeps.
    EXPECT_EQ(rows[1].action, "quem será");
    EXPECT_EQ(rows[1].available, 10);
    EXPECT_EQ(rows[1].place, std::nullopt);
    EXPECT_EQ(rows[1].previousHash, draw.hash);
    // Bulk commands give one row with the count of rows they wrote.
    EXPECT_EQ(rows[2].action, "liberação");
    EXPECT_EQ(rows[2].available, 9);
    EXPECT_EQ(rows[2].count, 11);
    EXPECT_EQ(rows[2].entry, std::nullopt);
    EXPECT_EQ(rows[3].action, "limpeza");
    EXPECT_EQ(rows[3].count, 11);
    EXPECT_EQ(rows[3].sequence, 4);

    const RecordCheck check = CheckRecord(db.connection());
    EXPECT_TRUE(check.holds) << check.problem.toStdString();
    EXPECT_EQ(check.rows, 4);
    EXPECT_EQ(check.lastHash, rows[3].hash);
}

TEST(DrawRecord, TwoCopiesOnOneFileAppendToOneChain) {
    test::TempDatabase db;
    AddInOrder(db, 20);
    auto second = db.openSecond();
    Copy a(db.connection());
    Copy b(*second);
    int drawn = 0;
    // B's snapshot goes stale after A's draws: some of its picks are refused
    // and write nothing at all.
    for (int round = 0; round < 8; ++round) {
        drawn += a.draw();
        drawn += b.draw();
    }
    const std::vector<RecordRow> rows = ReadRecord(db.connection());
    ASSERT_EQ(int(rows.size()), drawn);
    for (std::size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].sequence, std::int64_t(i) + 1);
    const RecordCheck check = CheckRecord(*second);
    EXPECT_TRUE(check.holds) << check.problem.toStdString();
    EXPECT_EQ(check.fingerprints, drawn);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok").count("False"), drawn);
}

TEST(DrawRecord, ADiskThatFillsDuringADrawKeepsTheWinnerAndItsRowTogether) {
    test::TempDatabase db;
    AddInOrder(db, 200);
    Query pages(db.connection(), {"PRAGMA page_count"});
    pages.open();
    db.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages.field(0).asInteger()));
    Copy copy(db.connection());
    QString failure;
    for (int i = 0; i < 150 && failure.isEmpty(); ++i) {
        try {
            copy.draw();
        } catch (const Error& error) {
            failure = error.message();
        }
    }
    ASSERT_EQ(failure, "database or disk is full");
    const int winners = int(ColumnOf(db.connection(), "Ok").count("False"));
    EXPECT_GT(winners, 0);
    EXPECT_EQ(int(ReadRecord(db.connection()).size()), winners);
    // The views show what the file holds, not the winner it lost.
    EXPECT_EQ(copy.pool.recordCount(), 200 - winners);
    EXPECT_EQ(copy.winners.recordCount(), winners);
    EXPECT_FALSE(copy.pool.editing());
    EXPECT_TRUE(CheckRecord(db.connection()).holds);
}

// A record of four draws, changed by hand in one way each.
class ChangedByHand : public testing::Test {
protected:
    ChangedByHand() {
        AddInOrder(db, 6);
        Copy copy(db.connection());
        for (int i = 0; i < 4; ++i)
            copy.draw();
        db.exec("DROP TRIGGER TbRegistro_UPDATE");
        db.exec("DROP TRIGGER TbRegistro_DELETE");
    }
    QString problem() {
        const RecordCheck check = CheckRecord(db.connection());
        EXPECT_FALSE(check.holds);
        return check.problem;
    }
    test::TempDatabase db;
};

TEST_F(ChangedByHand, OneByteOfARowShowsInThatRow) {
    db.exec("UPDATE TbRegistro SET Entrada = Entrada || '0' WHERE Sequencia = 2");
    EXPECT_EQ(problem(), "Row 2 (Cod 2) does not hold: its hash is not the hash of its fields, "
                         "so the row was changed");
}

TEST_F(ChangedByHand, ADeletedRowShowsInTheRowAfterIt) {
    db.exec("DELETE FROM TbRegistro WHERE Sequencia = 2");
    EXPECT_EQ(problem(), "Row 3 (Cod 3) does not hold: its sequence number is 3 where 2 was "
                         "expected, so a row before it is missing or the rows were reordered");
}

TEST_F(ChangedByHand, SwappedRowsShowInTheFirstOfThem) {
    db.exec("UPDATE TbRegistro SET Cod = 100 WHERE Cod = 2");
    db.exec("UPDATE TbRegistro SET Cod = 2 WHERE Cod = 3");
    db.exec("UPDATE TbRegistro SET Cod = 3 WHERE Cod = 100");
    EXPECT_EQ(problem(), "Row 3 (Cod 2) does not hold: its sequence number is 3 where 2 was "
                         "expected, so a row before it is missing or the rows were reordered");
}

TEST_F(ChangedByHand, APoolChangedBehindTheRecordShowsInTheNewestDrawItReaches) {
    db.exec("UPDATE TbNumero SET Numero = 66 WHERE Ok = 1 AND Numero = 6");
    EXPECT_EQ(problem(), "Row 4 (Cod 4) does not hold: the entries of the pool numeros available "
                         "before it, traced back from the file, do not have its fingerprint; the "
                         "pool was changed outside the record since");
}

// A draw reads the pool's fingerprint in its pauses, slices at a time, and
// its record row carries it: the lines a dump of the file gives hash to it.
// Entries read before another program committed do not hold at the write: the
// row then names the entries the pool view held, which the draw walked.
TEST(DrawRecord, TheFingerprintADrawReadsInItsPausesIsTheOneTheDumpGives) {
    constexpr int kNumbers = 20000; // more than one slice reads
    test::TempDatabase db;
    db.exec(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE "
                           "x < %1) INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) SELECT x * 7, "
                           "printf('k%%05d', x), 1, 0 FROM n")
                .arg(kNumbers));
    std::vector<std::pair<int, int>> lines;
    for (int cod = 1; cod <= kNumbers; ++cod)
        lines.emplace_back(cod, cod * 7);
    Copy copy(db.connection());
    FakePause pause;
    FakeRandom random;
    {
        DrawWork work(pause, db.connection());
        work.reshuffle(copy.pool, 0, random);
        int frames = 0;
        while (!work.availableBefore() && frames < 20) {
            pause.showFor(nullptr, 70);
            ++frames;
        }
        ASSERT_NE(work.availableBefore(), nullptr) << "not read within the frames";
        work.finish();
        RecordWinner(copy.pool, copy.winners, WinnerFlag::OkPlaceAndActive, NumberEntries(), {}, {},
                     work.availableBefore());
        work.commit();
    }
    std::vector<RecordRow> rows = ReadRecord(db.connection());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].item, 1);
    EXPECT_EQ(rows[0].available, kNumbers);
    EXPECT_EQ(rows[0].fingerprint, FingerprintOfNumbers(lines));

    // Read, then another program takes a number out, which the view still
    // holds: the row names the view's entries, not the file's.
    lines.erase(lines.begin());
    const AvailableEntries stale = AvailableEntriesReading(db.connection(), NumberPool()).readAll();
    EXPECT_EQ(stale.fingerprint, FingerprintOfNumbers(lines));
    const int gone = copy.pool.field("Cod").asInteger() == 2 ? 3 : 2;
    db.openSecond()->execute(QStringLiteral("UPDATE TbNumero SET Ok = 0 WHERE Cod = %1").arg(gone));
    RecordWinner(copy.pool, copy.winners, WinnerFlag::OkPlaceAndActive, NumberEntries(), {}, {},
                 &stale);
    rows = ReadRecord(db.connection());
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[1].available, kNumbers - 1);
    EXPECT_EQ(rows[1].fingerprint, FingerprintOfNumbers(lines));
}

// The hidden pick reads the fingerprint in its frames outside any
// transaction, and a draw in its transaction: a number another program adds
// meanwhile was never in their frames, and their rows do not name it.
TEST(DrawRecord, AHiddenPickAndADrawNameThePoolTheirFramesWalked) {
    test::TempDatabase db;
    AddInOrder(db, 11);
    TestServices fake;
    fake.clock.setTime(QTime(12, 0, 37));
    TFVantaNumero w(nullptr, fake.context(db.connection()));
    int frames = 0;
    fake.pause.during = [&](const Frame&) {
        if (++frames == 10)
            db.openSecond()->execute("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                     "VALUES (12, 'k012', 1, 0)");
    };
    QTest::mouseClick(w.Button4, Qt::LeftButton);
    ASSERT_EQ(fake.dialogs.texts(DialogKind::Error), QStringList());
    ASSERT_GT(frames, 10);
    const std::vector<RecordRow> rows = ReadRecord(db.connection());
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].action, "quem será");
    EXPECT_EQ(rows[0].available, 11);
    std::vector<std::pair<int, int>> walked;
    for (int n = 1; n <= 11; ++n)
        walked.emplace_back(n, n);
    EXPECT_EQ(rows[0].fingerprint, FingerprintOfNumbers(walked));

    // The draw reads the view again first, twelve numbers less the one
    // picked; another number comes while its frames run.
    frames = 0;
    fake.pause.during = [&](const Frame&) {
        if (++frames == 1)
            db.openSecond()->execute("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                     "VALUES (13, 'k013', 1, 0)");
    };
    QTest::mouseClick(w.Button5, Qt::LeftButton);
    ASSERT_EQ(fake.dialogs.texts(DialogKind::Error), QStringList());
    const std::vector<RecordRow> after = ReadRecord(db.connection());
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[1].action, "sorteio");
    EXPECT_EQ(after[1].available, 11);
    walked.clear();
    for (int n = 1; n <= 12; ++n)
        if (n != rows[0].item)
            walked.emplace_back(n, n);
    EXPECT_EQ(after[1].fingerprint, FingerprintOfNumbers(walked));
}

TEST(DrawRecord, TheProgramCannotChangeOrDeleteARecordRow) {
    test::TempDatabase db;
    AddInOrder(db, 2);
    Copy(db.connection()).draw();
    EXPECT_THROW(db.exec("UPDATE TbRegistro SET Operador = 'x'"), Error);
    EXPECT_THROW(db.exec("DELETE FROM TbRegistro"), Error);
    EXPECT_EQ(ReadRecord(db.connection()).size(), 1u);
}

} // namespace
} // namespace tiravo
