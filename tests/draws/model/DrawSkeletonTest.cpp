// "Fazer Sorteio" of the three screens, called straight over a real pool on a
// real file: every frame the stage is asked for, the row that wins and what
// is written, on each path of the draw.
#include "ScreenPools.h"
#include "common/Error.h"
#include "support/FakeClock.h"
#include "support/FakeDialogs.h"
#include "support/FakeRandom.h"

#include <gtest/gtest.h>

#include <QTime>

#include <functional>

namespace tiravo {
namespace {

using test::FileRows;
using test::ScreenPool;
using test::ScreenViews;
using test::Shown;

std::string NameOf(const testing::TestParamInfo<ScreenPool (*)()>& info) {
    return info.param().pool->name.toStdString();
}

class EachScreen : public testing::TestWithParam<ScreenPool (*)()> {
protected:
    DrawOutcome draw(ScreenViews& views) {
        return RunDraw(views.pool, views.winners, views.stage, screen.pool->draw, clock, dialogs,
                       random);
    }

    ScreenPool screen = GetParam()();
    test::TempDatabase db;
    FakeClock clock;
    FakeDialogs dialogs;
    FakeRandom random;
};

TEST_P(EachScreen, AnEmptyPoolOnlyTellsAndASingleEntryIsTeasedRevealedAndListedNext) {
    test::AddWinners(db, screen, 2);
    ScreenViews views(db.connection(), screen);
    const QStringList before = FileRows(db.connection(), screen);

    EXPECT_EQ(draw(views), DrawOutcome::NoEntries);
    EXPECT_EQ(dialogs.texts(DialogKind::Notice), QStringList({screen.pool->draw.needOneEntry}));
    EXPECT_EQ(views.stage.calls, QStringList());
    EXPECT_EQ(FileRows(db.connection(), screen), before);

    dialogs.clear();
    test::AddEntries(db, screen, 7, 7);
    views.pool.close();
    views.pool.open();
    EXPECT_EQ(draw(views), DrawOutcome::SingleEntry);
    QStringList calls{"teaser@2000"};
    if (screen.pool->draw.revealOnPlainFrame)
        calls << "plain";
    calls << Shown(screen, "07", 100);
    EXPECT_EQ(views.stage.calls, calls);
    EXPECT_EQ(dialogs.asked().size(), 0);
    // Drawn at the place after the two earlier winners, and listed: the
    // number pool counts a winner by Ativo, so the draw sets it there too.
    EXPECT_EQ(FileRows(db.connection(), screen),
              before + QStringList({screen.shown(7) + " False True 3"}));
    EXPECT_EQ(views.pool.recordCount(), 0);
    views.winners.close();
    views.winners.open();
    EXPECT_EQ(views.winners.recordCount(), 3);
    EXPECT_EQ(views.winners.field("Sorte").asInteger(), 3);
}

TEST_P(EachScreen, AFileThatCannotTakeTheDrawEndsItOnTheSuspenseWithoutARevealedWinner) {
    // One entry and many: the single draw writes after its teaser, the
    // multi-entry draw in its frames and after its suspense.
    for (const int entries : {1, 30}) {
        SCOPED_TRACE(entries);
        test::TempDatabase file;
        test::AddEntries(file, screen, 1, entries);
        ScreenViews views(file.connection(), screen);
        const QStringList before = FileRows(file.connection(), screen);
        // As a file that became read-only, or a disk that filled up, while the
        // screen was open.
        file.connection().execute("PRAGMA query_only = 1");

        EXPECT_THROW(draw(views), Error);
        ASSERT_FALSE(views.stage.calls.isEmpty());
        EXPECT_TRUE(views.stage.calls.last().startsWith("teaser@"))
            << views.stage.calls.join(' ').toStdString();
        file.connection().execute("PRAGMA query_only = 0");
        EXPECT_EQ(FileRows(file.connection(), screen), before);
        EXPECT_EQ(views.pool.recordCount(), entries);
    }
}

INSTANTIATE_TEST_SUITE_P(Screens, EachScreen,
                         testing::Values(test::NumberScreen, test::NameScreen, test::PhotoScreen),
                         NameOf);

// A multi-entry draw: where the cursor stands when it starts, the time of day
// that gives the step count, the entries the run shows and the winner.
struct RunCase {
    const char* name;
    ScreenPool (*screen)();
    int poolSize;
    int start;
    QTime time;
    const char* frames; // each shown for 70 ms
    int suspense;
    int winner;
};

class RunKinds : public testing::TestWithParam<RunCase> {};

TEST_P(RunKinds, TheCursorWalksFromWhereItStandsAndTheWinnerIsWhereTheRunEnds) {
    const RunCase& c = GetParam();
    const ScreenPool screen = c.screen();
    test::TempDatabase db;
    test::AddEntries(db, screen, 1, c.poolSize);
    ScreenViews views(db.connection(), screen);
    views.pool.moveTo(c.start - 1); // where the previous draw left it
    FakeClock clock;
    clock.setTime(c.time);
    FakeDialogs dialogs;

    FakeRandom random;
    EXPECT_EQ(
        RunDraw(views.pool, views.winners, views.stage, screen.pool->draw, clock, dialogs, random),
        DrawOutcome::MultiEntry);

    QStringList calls{"plain unpainted"};
    calls << Shown(screen, c.frames, 70) << QStringLiteral("teaser@%1").arg(c.suspense);
    if (screen.pool->draw.revealOnPlainFrame)
        calls << "plain";
    calls << Shown(screen, QString::number(c.winner), 100);
    EXPECT_EQ(views.stage.calls, calls);
    EXPECT_EQ(dialogs.asked().size(), 0);
    QStringList rows;
    for (int entry = 1; entry <= c.poolSize; ++entry)
        rows << (entry == c.winner ? screen.shown(entry) + " False True 1"
                                   : test::AvailableRow(screen, entry));
    EXPECT_EQ(FileRows(db.connection(), screen), rows);
    EXPECT_EQ(views.pool.recordCount(), c.poolSize - 1);
    EXPECT_FALSE(views.pool.editing());
}

// The number screen: 0 s give 3 skip steps, 20 s give 7, 59 s give 8; up to
// three numbers nothing follows them, up to ten they are taken twice, from
// eleven on twelve frames. The name and photo screens take the seconds (0 s
// give 10, 7 s give 11) and roll 32 and 12 frames whatever the pool size.
// A frame step from the last entry stays on it, so the roll shows it twice.
INSTANTIATE_TEST_SUITE_P(
    Table, RunKinds,
    testing::Values(
        RunCase{"ThreeNumbersNothing", test::NumberScreen, 3, 3, QTime(12, 0, 20), "", 1000, 1},
        RunCase{"FourNumbersSkipAgain", test::NumberScreen, 4, 1, QTime(12, 0, 0), "", 1000, 3},
        RunCase{"TenNumbersSkipAgain", test::NumberScreen, 10, 5, QTime(12, 0, 59), "", 1000, 1},
        RunCase{"ElevenNumbersFrames", test::NumberScreen, 11, 1, QTime(12, 0, 0),
                "04 05 06 07 08 09 10 11 11 01 02 03", 1000, 4},
        // The last frame step only sets the end flag: the winner is the last
        // name shown.
        RunCase{"TwoNamesFrames", test::NameScreen, 2, 1, QTime(12, 0, 0),
                "01 02 02 01 02 02 01 02 02 01 02 02 01 02 02 01 02 02 01 02 02 01 02 02 01 02 "
                "02 01 02 02 01 02",
                2000, 2},
        RunCase{"ThreePhotosFrames", test::PhotoScreen, 3, 1, QTime(12, 0, 7),
                "03 03 01 02 03 03 01 02 03 03 01 02", 1500, 3}),
    [](const testing::TestParamInfo<RunCase>& row) { return row.param.name; });

// A frame that cannot be shown (a photo gone from the disk) ends the draw
// with nothing written, and the cursor stays on the frame's row, the end flag
// too, so that the next draw steps on from there.
TEST(AFrameThatFails, LeavesTheCursorWhereTheWalkStoodAtIt) {
    const ScreenPool screen = test::NumberScreen();
    struct Failure {
        int frame; // of "04 05 06 07 08 09 10 11 11 01 02 03"
        int recNo;
        bool eof;
    };
    for (const Failure failure : {Failure{4, 6, false}, Failure{8, 10, false}, Failure{9, 10, true},
                                  Failure{10, 0, false}}) {
        SCOPED_TRACE(failure.frame);
        test::TempDatabase db;
        test::AddEntries(db, screen, 1, 11);
        ScreenViews views(db.connection(), screen);
        const QStringList before = FileRows(db.connection(), screen);
        FakeClock clock;
        clock.setTime(QTime(12, 0, 0)); // three steps
        FakeDialogs dialogs;
        FakeRandom random;
        // The stage's first call puts the plain frame; the frames follow.
        std::function<void()> failAtFrame = [&] {
            if (views.stage.calls.size() == failure.frame + 1)
                throw Error(QStringLiteral("cannot be shown"));
            views.stage.duringNextCall = failAtFrame;
        };
        views.stage.duringNextCall = failAtFrame;

        EXPECT_THROW(RunDraw(views.pool, views.winners, views.stage, screen.pool->draw, clock,
                             dialogs, random),
                     Error);
        EXPECT_EQ(views.pool.recNo(), failure.recNo);
        EXPECT_EQ(views.pool.eof(), failure.eof);
        EXPECT_EQ(FileRows(db.connection(), screen), before);
    }
}

// Another copy of the program on the same file drew or deleted the winner
// after this one read its pool.
struct ElsewhereCase {
    const char* name;
    ScreenPool (*screen)();
    int poolSize; // the winner is the first entry but one, or the only one
    const char* otherProgram;
    const char* message;
    int winnersAfter;
};

class TakenElsewhere : public testing::TestWithParam<ElsewhereCase> {};

TEST_P(TakenElsewhere, IsRefusedByNameBeforeItsRevealWithNothingWrittenAndBothViewsReadAgain) {
    const ElsewhereCase& c = GetParam();
    const ScreenPool screen = c.screen();
    test::TempDatabase db;
    test::AddEntries(db, screen, 1, c.poolSize);
    ScreenViews views(db.connection(), screen);
    // While this draw is on screen: a change made before it began would be
    // read before the draw.
    const auto other = db.openSecond();
    QStringList afterOther;
    views.stage.duringNextCall = [&] {
        other->execute(c.otherProgram);
        afterOther = FileRows(db.connection(), screen);
    };
    FakeClock clock; // 12:00:00
    FakeDialogs dialogs;

    FakeRandom random;
    EXPECT_EQ(
        RunDraw(views.pool, views.winners, views.stage, screen.pool->draw, clock, dialogs, random),
        DrawOutcome::TakenElsewhere);
    // The suspense is the last the audience sees: an entry the file did not
    // take is never revealed as a winner.
    EXPECT_EQ(views.stage.calls.last(),
              QStringLiteral("teaser@%1").arg(c.poolSize == 1 ? 2000 : 1000));
    EXPECT_EQ(dialogs.texts(DialogKind::Error), QStringList({c.message}));
    EXPECT_EQ(FileRows(db.connection(), screen), afterOther);
    EXPECT_FALSE(views.pool.editing());
    EXPECT_EQ(views.pool.recordCount(), c.poolSize - 1);
    EXPECT_EQ(views.winners.recordCount(), c.winnersAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TakenElsewhere,
    testing::Values(
        // Three skip steps twice over four numbers land on 03.
        ElsewhereCase{"NumberDrawnByTheOther", test::NumberScreen, 4,
                      "UPDATE TbNumero SET Ok = 0, Ativo = 1, Sorte = 1 WHERE Numero = 3",
                      "O número 03 não está mais disponível: já foi sorteado ou retirado em "
                      "outro programa. Nada foi gravado: faça o sorteio novamente.",
                      1},
        ElsewhereCase{"OnlyPhotoDeletedByTheOther", test::PhotoScreen, 1,
                      "DELETE FROM TbFoto WHERE Foto = '/fotos/01.jpg'",
                      "A foto /fotos/01.jpg não está mais disponível: já foi sorteada ou "
                      "retirada em outro programa. Nada foi gravado: faça o sorteio novamente.",
                      0}),
    [](const testing::TestParamInfo<ElsewhereCase>& row) { return row.param.name; });

} // namespace
} // namespace tiravo
