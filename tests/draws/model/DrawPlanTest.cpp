// The draw plan, as tables: from the pool size, the cursor's place and the
// step count, the row each frame shows and the row the draw lands on. Over a
// small pool, every case is also walked on a real pool view one step at a
// time, as the cursor has always walked, and the cursor put where the plan
// lands must stand exactly where that walk leaves it.
#include "draws/model/DrawPlan.h"
#include "ScreenPools.h"
#include "draws/model/DrawSkeleton.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <ostream>
#include <vector>

namespace tiravo {

void PrintTo(const CursorPlace& at, std::ostream* out) {
    *out << at.place << (at.atEnd ? " with the end flag" : "");
}

namespace {

struct PlanCase {
    const char* name;
    int rows;
    CursorPlace from;
    int steps;
    // The draw's run, or, when `pick` is set, the hidden pick's frames.
    DrawRun run;
    bool pick;
    // Places separated by spaces; "a..b" stands for a to b.
    const char* frames;
    CursorPlace landing;
};

constexpr bool kDraw = false;
constexpr bool kPick = true;

std::vector<int> Places(const char* written) {
    std::vector<int> places;
    for (const QString& token :
         QString::fromLatin1(written).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList range = token.split(QStringLiteral(".."));
        for (int place = range.first().toInt(); place <= range.last().toInt(); ++place)
            places.push_back(place);
    }
    return places;
}

std::vector<int> Rows(const std::vector<CursorPlace>& frames) {
    std::vector<int> rows;
    for (const CursorPlace& at : frames)
        rows.push_back(at.place);
    return rows;
}

DrawPlan Plan(const PlanCase& c) {
    return c.pick ? PlanHiddenPick(c.rows, c.from, c.steps, 50)
                  : PlanDraw(c.rows, c.from, c.steps, c.run);
}

// The cursor's walk as the draws have always taken it, step by step.
void SkipStep(Dataset& pool) {
    pool.next();
    if (pool.eof())
        pool.first();
}

void FrameStep(Dataset& pool) {
    if (pool.eof())
        pool.first();
    else
        pool.next();
}

struct Cursor {
    int recNo;
    bool eof;
    bool bof;
    bool operator==(const Cursor&) const = default;
    friend void PrintTo(const Cursor& c, std::ostream* out) {
        *out << c.recNo << (c.eof ? " eof" : "") << (c.bof ? " bof" : "");
    }
};

Cursor CursorOf(const Dataset& pool) {
    return {pool.recNo(), pool.eof(), pool.bof()};
}

void PutAt(Dataset& pool, CursorPlace at) {
    pool.first();
    for (int i = 0; i < at.place; ++i)
        pool.next();
    if (at.atEnd)
        pool.next();
}

class DrawPlanTable : public testing::TestWithParam<PlanCase> {};

TEST_P(DrawPlanTable, ListsEachFrameAndTheLandingAsTheCursorsWalkWould) {
    const PlanCase& c = GetParam();
    const DrawPlan plan = Plan(c);
    EXPECT_EQ(Rows(plan.frames), Places(c.frames));
    EXPECT_EQ(plan.landing, c.landing);
    // The photos read ahead: the frames, then the winner, whom the pick's
    // last frame shows already.
    std::vector<int> shown = Places(c.frames);
    if (!c.pick)
        shown.push_back(c.landing.place);
    EXPECT_EQ(plan.shownFrom(0), shown);
    if (c.rows > 20)
        return;

    test::TempDatabase db;
    test::AddEntries(db, test::NumberScreen(), 1, c.rows);
    TableView pool(db.connection(), test::NumberScreen().view);
    pool.open();
    PutAt(pool, c.from);
    std::vector<CursorPlace> walked;
    for (int i = 0; i < c.steps; ++i)
        SkipStep(pool);
    if (c.pick) {
        for (int i = 0; i < 50; ++i) {
            FrameStep(pool);
            walked.push_back(PlaceOf(pool));
        }
    } else if (c.run.kind == DrawRun::Kind::SkipSteps) {
        for (int i = 0; i < c.run.count; ++i)
            SkipStep(pool);
    } else if (c.run.kind == DrawRun::Kind::Frames) {
        for (int i = 0; i < c.run.count; ++i) {
            walked.push_back(PlaceOf(pool));
            FrameStep(pool);
        }
    }
    const Cursor afterWalk = CursorOf(pool);
    EXPECT_EQ(Rows(walked), Rows(plan.frames));
    for (std::size_t i = 0; i < walked.size() && i < plan.frames.size(); ++i)
        EXPECT_EQ(walked[i], plan.frames[i]) << "frame " << i;

    PutAt(pool, c.from);
    PlaceCursor(pool, plan.landing);
    EXPECT_EQ(CursorOf(pool), afterWalk);
}

const CursorPlace kFirst{0, false};

INSTANTIATE_TEST_SUITE_P(
    EveryRunKind, DrawPlanTable,
    testing::Values(
        // Up to three numbers: the skip steps alone.
        PlanCase{"NothingFromTheFirstRow", 3, kFirst, 3, DrawRun::nothing(), kDraw, "", kFirst},
        PlanCase{"NothingFromTheMiddle", 3, {1, false}, 5, DrawRun::nothing(), kDraw, "", kFirst},
        PlanCase{"NothingFromTheEndFlag", 3, {2, true}, 4, DrawRun::nothing(), kDraw, "", kFirst},
        PlanCase{
            "NothingFromTheLastRow", 2, {1, false}, 4, DrawRun::nothing(), kDraw, "", {1, false}},
        PlanCase{"NothingOverOneRow", 1, kFirst, 7, DrawRun::nothing(), kDraw, "", kFirst},
        // Up to ten numbers: twice the steps, no frame.
        PlanCase{
            "SkipStepsFromTheFirstRow", 7, kFirst, 3, DrawRun::skipSteps(3), kDraw, "", {6, false}},
        PlanCase{
            "SkipStepsRoundTheEnd", 4, {2, false}, 5, DrawRun::skipSteps(5), kDraw, "", kFirst},
        PlanCase{"SkipStepsFromTheEndFlag",
                 10,
                 {9, true},
                 8,
                 DrawRun::skipSteps(8),
                 kDraw,
                 "",
                 {5, false}},
        // Frames: the last row shows twice, once more with the end flag.
        PlanCase{"FramesWrapAfterTheLastRowTwice",
                 11,
                 kFirst,
                 3,
                 DrawRun::frames(12, 70),
                 kDraw,
                 "3..10 10 0 1 2",
                 {3, false}},
        PlanCase{"FramesLandOnTheEndFlag",
                 12,
                 {11, true},
                 1,
                 DrawRun::frames(12, 70),
                 kDraw,
                 "0..11",
                 {11, true}},
        PlanCase{"FramesOverTwoRows",
                 2,
                 {1, false},
                 3,
                 DrawRun::frames(5, 70),
                 kDraw,
                 "0 1 1 0 1",
                 {1, true}},
        PlanCase{
            "FramesOverOneRow", 1, kFirst, 3, DrawRun::frames(3, 70), kDraw, "0 0 0", {0, true}},
        PlanCase{"FramesInAMillionNumbers",
                 1000000,
                 {500000, false},
                 59,
                 DrawRun::frames(32, 70),
                 kDraw,
                 "500059..500090",
                 {500091, false}},
        PlanCase{"FramesFromTheLastOfAMillion",
                 1000000,
                 {999999, false},
                 1,
                 DrawRun::frames(12, 70),
                 kDraw,
                 "0..11",
                 {12, false}},
        // The hidden pick: each frame shows the row its step lands on, the
        // fiftieth is the one taken out.
        PlanCase{"PickFromTheFirstRow",
                 3,
                 kFirst,
                 1,
                 {},
                 kPick,
                 "2 2 0 1 2 2 0 1 2 2 0 1 2 2 0 1 2 2 0 1 2 2 0 1 2 2 0 1 2 2 0 1 2 2 0 1 "
                 "2 2 0 1 2 2 0 1 2 2 0 1 2 2",
                 {2, true}},
        PlanCase{"PickFromTheEndFlag",
                 7,
                 {6, true},
                 30,
                 {},
                 kPick,
                 "2..6 6 0 1 2..6 6 0 1 2..6 6 0 1 2..6 6 0 1 2..6 6 0 1 2..6 6 0 1 2 3",
                 {3, false}},
        PlanCase{"PickFromTheLastRow",
                 4,
                 {3, false},
                 149,
                 {},
                 kPick,
                 "1 2 3 3 0 1 2 3 3 0 1 2 3 3 0 1 2 3 3 0 1 2 3 3 0 1 2 3 3 0 1 2 3 3 0 1 2 3 3 "
                 "0 1 2 3 3 0 1 2 3 3 0",
                 kFirst}),
    [](const testing::TestParamInfo<PlanCase>& each) { return std::string(each.param.name); });

} // namespace
} // namespace tiravo
