// Kills a program at random moments of its bulk work and looks at what it
// leaves: the file must pass the engine's integrity check, and every row of
// the work must be wholly there or wholly absent.
//
// TIRAVO_CRASH_TRIALS sets the kills per kind (30 by default, as in CI):
//   TIRAVO_CRASH_TRIALS=500 build/tests/test_crash
// A kind whose trials are long has a variable of its own (see CrashKinds.h).
// TIRAVO_CRASH_SEED repeats the moments of an earlier run.
#include "CrashKinds.h"

#include "store/Connection.h"
#include "store/ConnectionText.h"
#include "store/DatabaseFile.h"
#include "store/DatabasePassword.h"
#include "store/Query.h"
#include "support/TrialSettings.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <random>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

namespace tiravo::crash {
namespace {

int KillsAsked(const CrashKind& kind) {
    if (kind.killsVariable.isEmpty())
        return test::TrialsAsked("TIRAVO_CRASH_TRIALS", 30);
    return test::TrialsAsked(kind.killsVariable.toLatin1().constData(), kind.defaultKills);
}

struct WorkRun {
    bool killed = false;
    qint64 workUs = 0; // from the moment the work was ready to its end or kill
};

// Runs the kind's work on `path` in a child process and kills it after
// `delay`, or waits for its end without one. A kind that stops itself when
// its work proper begins is let go on from there, and the delay counts from
// then.
WorkRun RunAndKill(const CrashKind& kind, const QString& path,
                   std::optional<std::chrono::microseconds> delay) {
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        // Nothing of the test's own may run here: no destructors, no exit
        // handlers, only the work.
        int status = 0;
        try {
            Connection connection;
            connection.setConnectionText(test::ProgramConnectionText(path));
            connection.open();
            kind.work(connection);
        } catch (...) {
            status = 1;
        }
        _exit(status);
    }
    int status = 0;
    if (kind.stopsWhenReady) {
        waitpid(child, &status, WUNTRACED);
        if (!WIFSTOPPED(status))
            throw std::runtime_error("the work ended before it was ready");
        kill(child, SIGCONT);
    }
    QElapsedTimer timer;
    timer.start();
    if (delay) {
        std::this_thread::sleep_for(*delay);
        kill(child, SIGKILL);
    }
    waitpid(child, &status, 0);
    const qint64 workUs = timer.nsecsElapsed() / 1000;
    if (WIFEXITED(status) && WEXITSTATUS(status) != 0)
        throw std::runtime_error("the work failed without being killed");
    return {WIFSIGNALED(status), workUs};
}

// What is wrong with the file the killed work left.
QStringList Inspect(const CrashKind& kind, const QString& path) {
    return test::FileProblems(path, kind.check);
}

void Copy(const QString& from, const QString& to) {
    for (const char* suffix : {"", "-wal", "-shm"})
        QFile::remove(to + QLatin1String(suffix));
    ASSERT_TRUE(QFile::copy(from, to));
}

class CrashSafety : public testing::TestWithParam<CrashKind> {};

} // namespace

// Names the kind in the test's output.
void PrintTo(const CrashKind& kind, std::ostream* out) {
    *out << kind.name.toStdString();
}

namespace {

TEST_P(CrashSafety, EveryKillLeavesASoundFileWithEachRowWhollyThereOrAbsent) {
    const CrashKind& kind = GetParam();
    QTemporaryDir dir;
    const QString base = dir.filePath("base.db");
    {
        Connection connection;
        CreateDatabaseFile(connection, base, JoinDatabasePassword());
        kind.prepare(connection);
    } // closed: the whole file is in base.db, with no log beside it

    // One run to its end: the work must pass the check, and its length sets
    // the moments at which the trials kill it.
    const QString trial = dir.filePath("trial.db");
    Copy(base, trial);
    const WorkRun wholeRun = RunAndKill(kind, trial, std::nullopt);
    ASSERT_FALSE(wholeRun.killed);
    const qint64 fullRunUs = wholeRun.workUs;
    const QStringList afterWholeRun = Inspect(kind, trial);
    ASSERT_TRUE(afterWholeRun.isEmpty())
        << "after a whole run: " << afterWholeRun.join(QStringLiteral("; ")).toStdString();

    const std::uint32_t seed = test::SeedAsked("TIRAVO_CRASH_SEED");
    std::mt19937 moments(seed);
    const int kills = KillsAsked(kind);
    // The moments fall within the work's length. A run that ends before its
    // moment is checked all the same, and the window shrinks to that moment,
    // so that the asked number of kills land during the work.
    qint64 windowUs = fullRunUs;
    int trials = 0;
    int killed = 0;
    int failures = 0;
    while (killed < kills && trials < 3 * kills) {
        Copy(base, trial);
        const qint64 delay = std::uniform_int_distribution<qint64>(0, windowUs)(moments);
        ++trials;
        if (RunAndKill(kind, trial, std::chrono::microseconds(delay)).killed)
            ++killed;
        else
            windowUs = delay;
        const QStringList problems = Inspect(kind, trial);
        if (!problems.isEmpty()) {
            ++failures;
            ADD_FAILURE() << "trial " << trials << ", killed after " << delay
                          << " us: " << problems.join(QStringLiteral("; ")).toStdString();
            // Kept for a look with the database tool.
            dir.setAutoRemove(false);
            const QString kept = dir.filePath(QStringLiteral("failed-%1.db").arg(trials));
            QFile::copy(trial, kept);
            QFile::copy(trial + "-wal", kept + "-wal");
            std::cout << "[ crash    ] kept " << kept.toStdString() << std::endl;
        }
    }
    EXPECT_EQ(killed, kills) << "the work ended too soon to be killed";
    std::cout << "[ crash    ] " << kind.name.toStdString() << ": " << trials << " trials, "
              << killed << " killed during the work, " << failures << " failures; a whole run "
              << fullRunUs / 1000 << " ms; TIRAVO_CRASH_SEED=" << seed << std::endl;
    RecordProperty("trials", trials);
    RecordProperty("kills", killed);
    RecordProperty("failures", failures);
}

INSTANTIATE_TEST_SUITE_P(BulkWork, CrashSafety, testing::ValuesIn(AllCrashKinds()),
                         [](const testing::TestParamInfo<CrashKind>& kindInfo) {
                             QString name = kindInfo.param.name;
                             name.remove(QRegularExpression(QStringLiteral("[^A-Za-z]")));
                             return name.toStdString();
                         });

} // namespace
} // namespace tiravo::crash
