// The hidden pick behind "Quem Será" of the three screens, called straight
// over a real pool on a real file: the frames, the title before the last one,
// and the entry taken out without a place.
#include "ScreenPools.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QTime>

namespace tiravo {
namespace {

using test::FileRows;
using test::ScreenPool;
using test::ScreenViews;
using test::Shown;

struct PickCase {
    ScreenPool (*screen)();
    int frameMilliseconds;
};

class EachScreenPick : public testing::TestWithParam<PickCase> {};

TEST_P(EachScreenPick, TwoEntriesOnlyTellAndMoreRollFiftyFramesTheLastAfterTheTitle) {
    const ScreenPool screen = GetParam().screen();
    const int frame = GetParam().frameMilliseconds;
    test::TempDatabase db;
    test::AddWinners(db, screen, 2);
    test::AddEntries(db, screen, 1, 2);
    ScreenViews views(db.connection(), screen);
    FakeClock clock;
    // Day 3 + 5 minutes + 22 seconds: 30 skip steps. Over seven entries the
    // seconds alone, their tens or any two of the three parts land elsewhere.
    clock.set(QDate(2024, 2, 3), QTime(12, 5, 22));
    FakeDialogs dialogs;
    const QStringList before = FileRows(db.connection(), screen);

    EXPECT_FALSE(
        RunHiddenPick(views.pool, views.winners, views.stage, screen.pool->pick, clock, dialogs));
    EXPECT_EQ(dialogs.texts(DialogKind::Notice), QStringList({screen.pool->pick.needThreeEntries}));
    EXPECT_EQ(views.stage.calls, QStringList());
    EXPECT_EQ(FileRows(db.connection(), screen), before);

    dialogs.clear();
    test::AddEntries(db, screen, 3, 7);
    views.pool.close();
    views.pool.open();
    EXPECT_TRUE(
        RunHiddenPick(views.pool, views.winners, views.stage, screen.pool->pick, clock, dialogs));
    // From 03 each frame steps first and then shows, the last entry twice
    // (the end flag), in cycles of eight.
    QStringList calls = Shown(screen, test::Repeat("04 05 06 07 07 01 02 03", 6) + " 04", frame);
    calls << "title@2000" << Shown(screen, "05", frame);
    EXPECT_EQ(views.stage.calls, calls);
    EXPECT_EQ(dialogs.asked().size(), 0);
    // Out of the pool with no place of its own, Ativo as it was: the rest
    // of the file as it was.
    EXPECT_EQ(FileRows(db.connection(), screen),
              before + QStringList({test::AvailableRow(screen, 3), test::AvailableRow(screen, 4),
                                    test::TakenOutRow(screen, 5), test::AvailableRow(screen, 6),
                                    test::AvailableRow(screen, 7)}));
    EXPECT_EQ(views.pool.recordCount(), 6);
}

INSTANTIATE_TEST_SUITE_P(Screens, EachScreenPick,
                         testing::Values(PickCase{test::NumberScreen, 150},
                                         PickCase{test::NameScreen, 150},
                                         PickCase{test::PhotoScreen, 100}),
                         [](const testing::TestParamInfo<PickCase>& row) {
                             return row.param.screen().pool->name.toStdString();
                         });

TEST(HiddenPick, ANumberDrawnMeanwhileByAnotherProgramIsRefusedAndBothViewsAreReadAgain) {
    const ScreenPool screen = test::NumberScreen();
    test::TempDatabase db;
    test::AddEntries(db, screen, 1, 3);
    ScreenViews views(db.connection(), screen);
    const auto other = db.openSecond();
    QStringList afterOther;
    views.stage.duringNextCall = [&] {
        other->execute("UPDATE TbNumero SET Ok = 0, Ativo = 1, Sorte = 1 WHERE Numero = 3");
        afterOther = FileRows(db.connection(), screen);
    };
    FakeClock clock; // 01/02/2024 12:00:00: one skip step; three entries are enough
    FakeDialogs dialogs;

    // True all the same: the screen shows its counter anew.
    EXPECT_TRUE(
        RunHiddenPick(views.pool, views.winners, views.stage, screen.pool->pick, clock, dialogs));
    // The title is the last frame: the entry the file did not take is not shown.
    EXPECT_EQ(views.stage.calls.size(), 50);
    EXPECT_EQ(views.stage.calls.last(), "title@2000");
    EXPECT_EQ(dialogs.texts(DialogKind::Error),
              QStringList({"O número 03 não está mais disponível: já foi sorteado ou retirado em "
                           "outro programa. Nada foi gravado: faça o sorteio novamente."}));
    EXPECT_EQ(FileRows(db.connection(), screen), afterOther);
    EXPECT_FALSE(views.pool.editing());
    EXPECT_EQ(views.pool.recordCount(), 2);
    EXPECT_EQ(views.winners.recordCount(), 1);
}

} // namespace
} // namespace tiravo
