// A draw over a pool of a million numbers: the new keys are written while the
// frames are shown and stored with the winner in one transaction, so a kill
// at any moment leaves either the whole draw or nothing of it.
//
// Each trial reads the million rows before it can be killed, so the kind has
// its own count of kills (3 by default):
//   TIRAVO_CRASH_DRAW_KILLS=40 build/tests/test_crash --gtest_filter='*draw*'
#include "BlankStage.h"
#include "CrashKinds.h"
#include "NumberViews.h"

#include "draws/model/DrawSkeleton.h"
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

constexpr int kAvailable = 1000000;
constexpr int kDrawn = 10;

// The real pause without a screen: the work runs in each frame's time.
class SleepingPause final : public Pause {
public:
    void showFor(QWidget*, int milliseconds) override {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
        if (work() && milliseconds > 3)
            work()->workUntil(end - std::chrono::milliseconds(3));
        std::this_thread::sleep_until(end);
    }
};

// The number screen's draw over more than ten numbers.
DrawSettings NumberDraw() {
    DrawSettings settings;
    settings.needOneEntry = QStringLiteral("UM Número!");
    settings.stepCount = [](const Clock&) { return 5; };
    settings.run = [](int, int) { return DrawRun::frames(12, 70); };
    settings.winnerFlag = WinnerFlag::OkPlaceAndActive;
    return settings;
}

} // namespace

CrashKind DrawKind() {
    CrashKind kind;
    kind.name = QStringLiteral("draw over 1,000,000");
    kind.stopsWhenReady = true;
    kind.killsVariable = QStringLiteral("TIRAVO_CRASH_DRAW_KILLS");
    kind.defaultKills = 3;
    kind.prepare = [](Connection& connection) {
        // As in the reshuffle's kind, every available row starts on one key.
        WriteScope batch(connection, WriteScope::Keeps::WhatWasWritten);
        SqlStatement& insert = connection.statement(QStringLiteral(
            "INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo, Sorte) VALUES (?, ?, ?, ?, ?)"));
        for (int n = 1; n <= kAvailable + kDrawn; ++n) {
            const bool drawn = n > kAvailable;
            insert.bind(1, std::int64_t{n});
            insert.bind(2, drawn ? QStringLiteral("zzzz") : QStringLiteral("aaaa"));
            insert.bind(3, !drawn);
            insert.bind(4, drawn);
            insert.bind(5, drawn ? Value(std::int64_t{n - kAvailable}) : Value{});
            while (insert.step()) {
            }
            insert.reset();
        }
    };
    kind.work = [](Connection& connection) {
        NumberViews views(connection);
        TableView& pool = views.pool;
        Query& winners = views.winners;
        BlankStage<SleepingPause> stage;
        SystemClock clock;
        FakeDialogs dialogs;
        SystemRandom random;
        ReadyForKills();
        if (RunDraw(pool, winners, stage, NumberDraw(), clock, dialogs, random) !=
            DrawOutcome::MultiEntry)
            throw std::runtime_error("the draw did not store its winner");
    };
    kind.check = [](Connection& connection) {
        QStringList problems = BrokenPoolRows(connection, QStringLiteral("TbNumero"));
        const qint64 rows = CountOf(connection, QStringLiteral("Select count(*) From TbNumero"));
        if (rows != kAvailable + kDrawn)
            problems << QStringLiteral("%1 rows instead of %2").arg(rows).arg(kAvailable + kDrawn);
        const qint64 drawnIntact =
            CountOf(connection, QStringLiteral("Select count(*) From TbNumero Where Ok = 0 And "
                                               "Ativo = 1 And Ordem = 'zzzz' And Sorte = "
                                               "Numero - %1")
                                    .arg(kAvailable));
        if (drawnIntact != kDrawn)
            problems
                << QStringLiteral("%1 of the %2 drawn rows intact").arg(drawnIntact).arg(kDrawn);
        const qint64 winners =
            CountOf(connection, QStringLiteral("Select count(*) From TbNumero Where Ok = 0 And "
                                               "Ativo = 1 And Sorte = %1 And Ordem = 'aaaa'")
                                    .arg(kDrawn + 1));
        const qint64 oldKeys = CountOf(
            connection,
            QStringLiteral("Select count(*) From TbNumero Where Ok = 1 And Ordem = 'aaaa'"));
        const qint64 drawn =
            CountOf(connection, QStringLiteral("Select count(*) From TbNumero Where Ok = 0"));
        // The record row of the draw is stored with the winner, or neither is.
        const qint64 recorded =
            CountOf(connection, QStringLiteral("Select count(*) From TbRegistro Where Acao = "
                                               "'sorteio' And Sorte = %1 And Item In (Select Cod "
                                               "From TbNumero Where Sorte = %1 And Ok = 0)")
                                    .arg(kDrawn + 1));
        const qint64 records =
            CountOf(connection, QStringLiteral("Select count(*) From TbRegistro"));
        if (records != (drawn == kDrawn + 1 ? 1 : 0) || records != recorded)
            problems << QStringLiteral("%1 drawn rows and %2 record rows, %3 of the winner")
                            .arg(drawn)
                            .arg(records)
                            .arg(recorded);
        if (drawn == kDrawn) {
            if (oldKeys != kAvailable)
                problems << QStringLiteral("no winner, yet %1 rows on new keys")
                                .arg(kAvailable - oldKeys);
        } else if (drawn == kDrawn + 1) {
            if (winners != 1)
                problems << QStringLiteral("a row left the pool without its place");
            // Some two rows keep the old key by chance when the draw is stored.
            if (oldKeys > 20)
                problems << QStringLiteral("a winner, yet %1 rows on the old key").arg(oldKeys);
        } else {
            problems << QStringLiteral("%1 drawn rows").arg(drawn);
        }
        return problems;
    };
    return kind;
}

} // namespace tiravo::crash
