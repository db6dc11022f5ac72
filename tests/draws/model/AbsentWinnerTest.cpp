// A winner marked absent: the row keeps its entry but leaves both the pool
// and the winners list, its place is vacant until a draw fills it, and the
// record, which names the absence, still checks.
#include "draws/model/AbsentWinner.h"
#include "common/Error.h"
#include "draws/model/NumberPool.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/RecordChain.h"
#include "draws/model/RecordCheck.h"
#include "store/ChangedElsewhere.h"
#include "store/Query.h"
#include "support/PoolRows.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using test::ColumnOf;

// One copy of the program's number pool view and winners list.
struct Copy {
    explicit Copy(Connection& c)
        : pool(c, test::NumberPool()), winners(c, NumberPool().winnersSql()) {
        pool.open();
        winners.open();
    }
    // The pool is read again when another copy has written, as a draw screen
    // does before its walk.
    void draw() {
        ReadAgainIfChangedElsewhere({&pool});
        RecordWinner(pool, winners, WinnerFlag::OkPlaceAndActive, NumberEntries());
        ReadAgain(winners); // as the screen shows it after each draw
    }
    bool absent(int place, const QString& reason = {}) {
        EXPECT_TRUE(winners.locate("Sorte", QString::number(place)));
        return MarkAbsent(winners, NumberPool(), reason);
    }
    TableView pool;
    Query winners;
};

class Absence : public testing::Test {
protected:
    // Numbers 1 to 8 in key order: draws take 1, 2, 3, ... at places 1, 2, 3.
    Absence() {
        for (int n = 1; n <= 8; ++n)
            db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                   "VALUES (%1, 'k%2', 1, 0)")
                        .arg(n)
                        .arg(n, 3, 10, QLatin1Char('0')));
    }
    // "Numero:Ok:Sorte" of every row, in Cod order.
    QStringList rows() {
        const QStringList numbers = ColumnOf(db.connection(), "Numero");
        const QStringList ok = ColumnOf(db.connection(), "Ok");
        const QStringList places = ColumnOf(db.connection(), "Sorte");
        QStringList all;
        for (qsizetype i = 0; i < numbers.size(); ++i)
            all << numbers[i] + ":" + ok[i] + ":" + places[i];
        return all;
    }
    test::TempDatabase db;
};

TEST_F(Absence, TheLowestVacantPlaceIsDrawnAgainBeforeThePlacesGoOn) {
    Copy copy(db.connection());
    for (int i = 0; i < 4; ++i)
        copy.draw();
    ASSERT_TRUE(copy.absent(3, "  não compareceu "));
    ASSERT_TRUE(copy.absent(2));
    // The absent rows keep their numbers, with neither Ok nor a place.
    EXPECT_EQ(rows(), QStringList({"1:False:1", "2::", "3::", "4:False:4",
                                   "5:True:", "6:True:", "7:True:", "8:True:"}));
    EXPECT_EQ(copy.winners.recordCount(), 2);
    EXPECT_EQ(LowestVacantPlace(db.connection(), NumberPool()), 2);
    for (int i = 0; i < 3; ++i)
        copy.draw();
    EXPECT_EQ(rows(), QStringList({"1:False:1", "2::", "3::", "4:False:4", "5:False:2", "6:False:3",
                                   "7:False:5", "8:True:"}));
    EXPECT_EQ(LowestVacantPlace(db.connection(), NumberPool()), std::nullopt);

    // The record names each absence with its place and reason, and checks.
    const std::vector<RecordRow> record = ReadRecord(db.connection());
    ASSERT_EQ(record.size(), 9u);
    EXPECT_EQ(record[4].action, "ausência");
    EXPECT_EQ(record[4].item, 3);
    EXPECT_EQ(record[4].entry, "3 — motivo: não compareceu");
    EXPECT_EQ(record[4].place, 3);
    EXPECT_EQ(record[4].available, 4);
    EXPECT_EQ(record[5].entry, "2");
    EXPECT_EQ(record[6].place, 2);
    EXPECT_TRUE(CheckRecord(db.connection()).holds)
        << CheckRecord(db.connection()).problem.toStdString();

    // An absent entry put back by hand, behind the record, shows.
    db.exec("UPDATE TbNumero SET Ok = 1 WHERE Numero = 2");
    EXPECT_FALSE(CheckRecord(db.connection()).holds);
}

TEST_F(Absence, TheRecordNamesThePrizeTheAbsentWinnerLeaves) {
    AddPrize(db.connection(), NumberPool(), "Bicicleta", 2);
    AddPrize(db.connection(), NumberPool(), "Rádio", 2);
    Copy copy(db.connection());
    for (int i = 0; i < 3; ++i)
        copy.draw();
    ASSERT_TRUE(copy.absent(1, "foi embora"));
    EXPECT_EQ(ReadRecord(db.connection()).back().entry, "1 — Bicicleta — motivo: foi embora");
    EXPECT_EQ(PlaceOfNextDraw(db.connection(), NumberPool(), copy.winners), 1);
}

TEST_F(Absence, AReleaseOrAClearingEndsTheVacanciesAndAnAbsenceAtTheTopLeavesNone) {
    Copy copy(db.connection());
    for (int i = 0; i < 3; ++i)
        copy.draw();
    // The last place: the next one after the list is that place anyway.
    ASSERT_TRUE(copy.absent(3));
    EXPECT_EQ(LowestVacantPlace(db.connection(), NumberPool()), std::nullopt);
    EXPECT_EQ(PlaceOfNextDraw(db.connection(), NumberPool(), copy.winners), 3);
    ASSERT_TRUE(copy.absent(1));
    EXPECT_EQ(LowestVacantPlace(db.connection(), NumberPool()), 1);
    Query clear(db.connection(), NumberPool().clearSql);
    ClearNumberPool(clear);
    EXPECT_EQ(LowestVacantPlace(db.connection(), NumberPool()), std::nullopt);
}

TEST_F(Absence, BadOrStaleRequestsChangeNothing) {
    Copy copy(db.connection());
    for (int i = 0; i < 2; ++i)
        copy.draw();
    const QStringList before = rows();
    ASSERT_TRUE(copy.winners.locate("Sorte", "1"));
    EXPECT_THROW(MarkAbsent(copy.winners, NumberPool(), QString(61, u'x')), Error);
    ASSERT_TRUE(copy.winners.locate("Sorte", "1"));
    EXPECT_THROW(MarkAbsent(copy.winners, NumberPool(), "a\u0007b"), Error);
    // Another copy released the winner after this one read its list.
    ASSERT_TRUE(copy.winners.locate("Sorte", "2"));
    db.exec("UPDATE TbNumero SET Ok = 1 WHERE Sorte = 2");
    EXPECT_FALSE(MarkAbsent(copy.winners, NumberPool(), {}));
    db.exec("UPDATE TbNumero SET Ok = 0 WHERE Sorte = 2");
    EXPECT_EQ(rows(), before);
    EXPECT_EQ(ReadRecord(db.connection()).size(), 2u);
}

// Another copy's absence is in the file: a copy that read its winners before
// it fills the vacant place, and no place is given twice.
TEST_F(Absence, ACopyThatReadItsListBeforeAnotherCopysAbsenceFillsTheVacantPlace) {
    const std::unique_ptr<Connection> second = db.openSecond();
    Copy a(db.connection());
    Copy b(*second);
    for (int i = 0; i < 3; ++i)
        a.draw();
    b.draw(); // place 4, after reading the file again
    ASSERT_TRUE(a.absent(2));
    b.draw();
    a.draw();
    EXPECT_EQ(ColumnOf(db.connection(), "Sorte"),
              QStringList({"1", "", "3", "4", "2", "5", "", ""}));
    EXPECT_TRUE(CheckRecord(*second).holds);
}

} // namespace
} // namespace tiravo
