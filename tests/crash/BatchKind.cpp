// A batch of draws over 100,000 numbers, each draw a transaction of its own
// with its record row: a kill at any moment leaves every draw the batch
// finished, whole, and the running one whole or absent. The rows of the batch
// name its first row, which names itself.
//
// Its own count of kills (3 by default):
//   TIRAVO_CRASH_BATCH_KILLS=40 build/tests/test_crash --gtest_filter='*batch*'
#include "BlankStage.h"
#include "CrashKinds.h"
#include "NumberViews.h"

#include "draws/model/DrawBatch.h"
#include "draws/model/DrawSkeleton.h"
#include "draws/model/RecordCheck.h"
#include "platform/Clock.h"
#include "platform/Pause.h"
#include "platform/Random.h"
#include "store/Connection.h"
#include "store/Query.h"
#include "store/TableView.h"
#include "store/WriteScope.h"
#include "support/FakeDialogs.h"

#include <stdexcept>
#include <thread>

namespace tiravo::crash {

namespace {

constexpr int kAvailable = 100000;
constexpr int kBatch = 12;

// The real pause at a tenth of its time, without a screen: the batch is the
// same, only shorter, so that a kill falls anywhere in it.
class FastPause final : public Pause {
public:
    void showFor(QWidget*, int milliseconds) override {
        const auto end =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds / 10);
        if (work() && milliseconds > 0)
            work()->workUntil(end);
        std::this_thread::sleep_until(end);
    }
};

// What a draw screen's batch hands each of its draws.
DrawSettings BatchDraw(BatchRecord& record) {
    DrawSettings settings;
    settings.needOneEntry = QStringLiteral("UM Número!");
    settings.stepCount = [](const Clock&) { return 5; };
    settings.run = [](int, int) { return DrawRun::frames(12, 70); };
    settings.winnerFlag = WinnerFlag::OkPlaceAndActive;
    settings.action = RecordAction::BatchDraw;
    settings.batch = &record;
    return settings;
}

} // namespace

CrashKind BatchKind() {
    CrashKind kind;
    kind.name = QStringLiteral("batch of 12 over 100,000");
    kind.stopsWhenReady = true;
    kind.killsVariable = QStringLiteral("TIRAVO_CRASH_BATCH_KILLS");
    kind.defaultKills = 3;
    kind.prepare = [](Connection& connection) {
        WriteScope rows(connection, WriteScope::Keeps::WhatWasWritten);
        SqlStatement& insert = connection.statement(
            QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) VALUES (?, ?, 1, 0)"));
        for (int n = 1; n <= kAvailable; ++n) {
            insert.bind(1, std::int64_t{n});
            insert.bind(2, QStringLiteral("aaaa"));
            while (insert.step()) {
            }
            insert.reset();
        }
    };
    kind.work = [](Connection& connection) {
        NumberViews views(connection);
        TableView& pool = views.pool;
        Query& winners = views.winners;
        BlankStage<FastPause> blank;
        SystemClock clock;
        FakeDialogs dialogs;
        SystemRandom random;
        BatchRecord record;
        const DrawSettings settings = BatchDraw(record);
        // Each winner is held while the next draw writes its keys, as the
        // screen's batch does: a kill then finds that draw's keys half written.
        WinnerHold hold({}, {});
        ReadyForKills();
        for (int draw = 0; draw < kBatch; ++draw) {
            record.beginDraw();
            BatchStage stage(blank, draw == 0, hold, [&record] { record.kept(); });
            if (RunDraw(pool, winners, stage, settings, clock, dialogs, random) !=
                DrawOutcome::MultiEntry)
                throw std::runtime_error("a draw of the batch did not store its winner");
            winners.requery();
        }
        hold.hold(blank.pause(), false);
        if (record.rows().size() != std::size_t(kBatch))
            throw std::runtime_error("the batch did not keep its rows");
    };
    kind.check = [](Connection& connection) {
        QStringList problems = BrokenPoolRows(connection, QStringLiteral("TbNumero"));
        const qint64 drawn =
            CountOf(connection, QStringLiteral("Select count(*) From TbNumero Where Ok = 0"));
        if (drawn > kBatch)
            problems << QStringLiteral("%1 drawn rows of a batch of %2").arg(drawn).arg(kBatch);
        // Places 1 to `drawn`, once each, every one with its record row.
        const qint64 placed = CountOf(
            connection, QStringLiteral("Select count(DISTINCT Sorte) From TbNumero Where Ok = 0 "
                                       "And Ativo = 1 And Sorte Between 1 And %1")
                            .arg(drawn));
        if (placed != drawn)
            problems << QStringLiteral("%1 drawn rows at %2 places").arg(drawn).arg(placed);
        const qint64 records =
            CountOf(connection, QStringLiteral("Select count(*) From TbRegistro"));
        const qint64 marked = CountOf(
            connection,
            QStringLiteral("Select count(*) From TbRegistro r Where Acao = 'sorteio em lote' "
                           "And Quantidade = 1 And Sorte = Sequencia And Item In (Select Cod "
                           "From TbNumero Where Ok = 0 And Sorte = r.Sorte)"));
        if (records != drawn || marked != drawn)
            problems << QStringLiteral("%1 drawn rows, %2 record rows, %3 of them marked as the "
                                       "batch's")
                            .arg(drawn)
                            .arg(records)
                            .arg(marked);
        const RecordCheck record = CheckRecord(connection);
        if (!record.holds)
            problems << record.problem;
        return problems;
    };
    return kind;
}

} // namespace tiravo::crash
