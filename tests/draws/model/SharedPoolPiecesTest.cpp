// The pieces the three draw screens share, where a screen cannot easily reach
// their edges: the seconds step count, the row loop and the name free slots.
#include "common/Error.h"
#include "draws/model/FreeSlots.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/StepCounts.h"
#include "store/RowLoop.h"
#include "support/FakeClock.h"
#include "support/PoolRows.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using test::ColumnOf;

const QString kNames = QStringLiteral("TbNome");

void AddNames(test::TempDatabase& db, const QStringList& names) {
    for (const QString& name : names)
        db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                               "VALUES ('%1', 'aaaa', 1, 1)")
                    .arg(name));
}

TEST(SecondsStepCount, TheFirstEightSecondsBecomeTenOrElevenAndTheRestStay) {
    FakeClock clock;
    const std::vector<std::pair<int, int>> cases = {{0, 10},  {1, 11},  {2, 10}, {3, 11}, {4, 10},
                                                    {5, 11},  {6, 10},  {7, 11}, {8, 8},  {9, 9},
                                                    {10, 10}, {37, 37}, {59, 59}};
    for (const auto& [seconds, steps] : cases) {
        clock.setTime(QTime(12, 34, seconds));
        EXPECT_EQ(SecondsStepCount(clock), steps) << seconds;
    }
}

TEST(RowLoop, AWalkUntilEmptyStopsWhenAPostedRowStaysInsteadOfLoopingForEver) {
    test::TempDatabase db;
    AddNames(db, {"Ana", "Bia"});
    TableView live(db.connection(), {.table = kNames, .filter = kLiveNameFilter});
    live.open();
    EXPECT_THROW(EditEachRow(live, RowWalk::UntilEmpty,
                             [](Dataset& row) { row.field(kOrdem).setAsString("bbbb"); }),
                 Error);
    EXPECT_FALSE(live.editing());
}

TEST(RowLoop, ARowThatFailsIsDroppedSoTheNextMoveCannotStoreIt) {
    test::TempDatabase db;
    AddNames(db, {"Ana", "Bia", "Caio"});
    TableView names(db.connection(), {.table = kNames, .sortKey = kCod});
    names.open();
    int rows = 0;
    EXPECT_THROW(EditEachRow(names, RowWalk::FromFirst,
                             [&rows](Dataset& row) {
                                 row.field(kNome).setAsString("X");
                                 if (++rows == 2)
                                     throw Error("disk I/O error");
                             }),
                 Error);
    EXPECT_FALSE(names.editing());
    names.next();
    EXPECT_EQ(ColumnOf(db.connection(), kNome, kNames), QStringList({"X", "Bia", "Caio"}));
}

TEST(NameFreeSlots, ClearingTurnsEveryLiveNameIntoItsOwnCodAndLeavesSlotsAlone) {
    test::TempDatabase db;
    AddNames(db, {"Ana", "Bia", "Caio", "Duda"});
    db.exec("UPDATE TbNome SET Ok = 0, Sorte = 1 WHERE Nome = 'Bia'");
    db.exec("UPDATE TbNome SET Nome = '3', Ok = NULL, Ativo = 0, Sorte = 7 WHERE Nome = 'Caio'");
    TableView pool(db.connection(),
                   {.table = kNames, .filter = kAvailableFilter, .sortKey = kOrdem});
    pool.open();

    ClearNamePool(pool);

    EXPECT_EQ(pool.recordCount(), 0);
    EXPECT_EQ(ColumnOf(db.connection(), kNome, kNames), QStringList({"1", "2", "3", "4"}));
    EXPECT_EQ(ColumnOf(db.connection(), kOk, kNames), QStringList({"", "", "", ""}));
    EXPECT_EQ(ColumnOf(db.connection(), kAtivo, kNames),
              QStringList({"False", "False", "False", "False"}));
    // The slot that was free already keeps its old place.
    EXPECT_EQ(ColumnOf(db.connection(), kSorte, kNames), QStringList({"", "", "7", ""}));
}

TEST(NameFreeSlots, RemovingKeepsThePlaceAndAFailedClearPutsThePoolBackOnAvailableNames) {
    test::TempDatabase db;
    AddNames(db, {"Ana", "Bia"});
    db.exec("UPDATE TbNome SET Sorte = 5");
    TableView pool(db.connection(), {.table = kNames, .filter = kAvailableFilter, .sortKey = kCod});
    pool.open();
    MakeNameFreeSlot(pool, FreeSlotPlace::Keep);
    EXPECT_EQ(ColumnOf(db.connection(), kNome, kNames), QStringList({"1", "Bia"}));
    EXPECT_EQ(ColumnOf(db.connection(), kSorte, kNames), QStringList({"5", "5"}));

    pool.beforePost = [](Dataset&) { throw Error("disk I/O error"); };
    EXPECT_THROW(ClearNamePool(pool), Error);
    EXPECT_EQ(pool.filter(), kAvailableFilter);
    EXPECT_FALSE(pool.editing());
}

} // namespace
} // namespace tiravo
