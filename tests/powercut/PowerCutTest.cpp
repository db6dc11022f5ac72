// Cuts the power at random moments of the program's work and looks at what
// the disk holds then: the file must pass the engine's integrity check, every
// change the windows had told the operator was done must be there, and no
// change may be there by halves. Killing the program is not enough for this:
// the system still writes what it was handed. Here only what the engine
// synced survives (see PowerCutVfs).
//
// TIRAVO_POWER_CUTS sets the cuts per kind (12 by default, about a minute for
// all three kinds):
//   TIRAVO_POWER_CUTS=150 build/tests/test_powercut
// TIRAVO_POWER_CUT_SEED repeats the moments of an earlier run.
#include "PowerCutKinds.h"
#include "PowerCutVfs.h"

#include "store/Connection.h"
#include "store/ConnectionText.h"
#include "store/DatabaseFile.h"
#include "store/DatabasePassword.h"
#include "store/Query.h"
#include "support/TestServices.h"
#include "support/TrialSettings.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <iostream>
#include <random>

namespace tiravo::powercut {
namespace {

void Copy(const QString& from, const QString& to) {
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        QFile::remove(to + QLatin1String(suffix));
    ASSERT_TRUE(QFile::copy(from, to));
}

// The kind's work on `path` over the power-cut layer, which cuts at `cutAt`
// (0: never). Answers the writes counted and whether the power went out.
struct WorkRun {
    std::uint64_t writes = 0;
    bool cut = false;
};

WorkRun RunWork(PowerCutKind& kind, const QString& path, std::uint64_t cutAt) {
    PowerCutVfs disk;
    disk.cutAt(cutAt);
    {
        TestServices fake;
        Connection connection;
        connection.setConnectionText(test::ProgramConnectionText(path));
        try {
            connection.open();
            // A small cache and frequent checkpoints, so that a pool of some
            // thousands of rows takes the roads a pool of 100,000 takes:
            // pages written to the log before the commit, the log copied into
            // the file in the middle of the work.
            connection.execute(QStringLiteral("PRAGMA cache_size = 20"));
            connection.execute(QStringLiteral("PRAGMA wal_autocheckpoint = 40"));
            kind.work(connection, fake);
        } catch (const std::exception&) {
            // The power went out while the connection opened; nothing was done.
        }
    } // every window and the connection closed, through the layer
    const WorkRun run{disk.writes(), disk.cut()};
    if (run.cut)
        disk.dropUnsynced();
    else
        disk.writeBack();
    return run;
}

// What is wrong with the file the disk holds, read through the plain layer.
QStringList Inspect(const PowerCutKind& kind, const QString& path) {
    return test::FileProblems(path,
                              [&kind](Connection& connection) { return kind.check(connection); });
}

class PowerCut : public testing::TestWithParam<PowerCutFactory> {};

TEST_P(PowerCut, EveryCutLeavesASoundFileWithEveryChangeReportedDone) {
    const std::unique_ptr<PowerCutKind> probe = GetParam()();
    QTemporaryDir dir;
    const QString base = dir.filePath("base.db");
    {
        Connection connection;
        CreateDatabaseFile(connection, base, JoinDatabasePassword());
        probe->prepare(connection);
    } // closed: the whole file is in base.db, with no log beside it

    // The work without a cut: it must be reported done and pass the check,
    // and its writes are the moments the cuts choose from.
    const QString trial = dir.filePath("trial.db");
    Copy(base, trial);
    const std::unique_ptr<PowerCutKind> whole = GetParam()();
    QElapsedTimer timer;
    timer.start();
    const WorkRun full = RunWork(*whole, trial, 0);
    const qint64 fullRunMs = timer.elapsed();
    ASSERT_TRUE(whole->reportedDone()) << "the work went wrong without a cut";
    const QStringList afterWholeRun = Inspect(*whole, trial);
    ASSERT_TRUE(afterWholeRun.isEmpty())
        << "after the whole work: " << afterWholeRun.join(QStringLiteral("; ")).toStdString();
    ASSERT_GT(full.writes, 0u);

    const std::uint32_t seed = test::SeedAsked("TIRAVO_POWER_CUT_SEED");
    std::mt19937 moments(seed);
    const int cuts = test::TrialsAsked("TIRAVO_POWER_CUTS", 12);
    int reportedDone = 0;
    int failures = 0;
    for (int i = 1; i <= cuts; ++i) {
        Copy(base, trial);
        const std::uint64_t at =
            std::uniform_int_distribution<std::uint64_t>(1, full.writes)(moments);
        const std::unique_ptr<PowerCutKind> kind = GetParam()();
        const WorkRun run = RunWork(*kind, trial, at);
        EXPECT_TRUE(run.cut) << "cut " << i << " at write " << at << " of " << full.writes
                             << " did not come";
        reportedDone += kind->reportedDone() ? 1 : 0;
        const QStringList problems = Inspect(*kind, trial);
        if (problems.isEmpty())
            continue;
        ++failures;
        ADD_FAILURE() << "cut " << i << " at write " << at << " of " << full.writes << ": "
                      << problems.join(QStringLiteral("; ")).toStdString();
        dir.setAutoRemove(false);
        const QString kept = dir.filePath(QStringLiteral("failed-%1.db").arg(i));
        QFile::copy(trial, kept);
        QFile::copy(trial + "-wal", kept + "-wal");
        std::cout << "[ power    ] kept " << kept.toStdString() << std::endl;
    }
    std::cout << "[ power    ] " << probe->name().toStdString() << ": " << cuts << " cuts over "
              << full.writes << " writes, " << reportedDone << " after the work was reported done, "
              << failures << " failures; the work " << fullRunMs
              << " ms; TIRAVO_POWER_CUT_SEED=" << seed << std::endl;
    RecordProperty("cuts", cuts);
    RecordProperty("writes", static_cast<int>(full.writes));
    RecordProperty("failures", failures);
}

INSTANTIATE_TEST_SUITE_P(Work, PowerCut, testing::ValuesIn(AllPowerCutKinds()),
                         [](const testing::TestParamInfo<PowerCutFactory>& kindInfo) {
                             QString name = kindInfo.param()->name();
                             name.remove(QRegularExpression(QStringLiteral("[^A-Za-z]")));
                             return name.toStdString();
                         });

} // namespace
} // namespace tiravo::powercut
