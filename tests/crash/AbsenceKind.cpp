// Absent winners marked one after another, as an operator clears out the
// winners who did not come: each absence is the winner's row and its record
// row in one transaction, so a kill at any moment leaves every absence whole
// with its record row, or neither, and the chain of the record sound.
//
// Each absence is short, so the kind marks many; its own count of kills
// (10 by default):
//   TIRAVO_CRASH_ABSENCE_KILLS=60 build/tests/test_crash --gtest_filter='*bsence*'
#include "CrashKinds.h"

#include "draws/model/AbsentWinner.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/RecordCheck.h"
#include "store/Connection.h"
#include "store/Query.h"
#include "store/SqlStatement.h"
#include "store/WriteScope.h"

#include <stdexcept>

namespace tiravo::crash {

namespace {

constexpr int kAvailable = 50000;
constexpr int kWinners = 200;

// A winner's name tells the place it was drawn to: "Ganhador 017".
const QString kPlaceOfName = QStringLiteral("CAST(substr(Nome, 10) AS INTEGER)");

void Insert(Connection& connection, const QString& sql) {
    SqlStatement& insert = connection.statement(sql);
    while (insert.step()) {
    }
    insert.reset();
}

} // namespace

CrashKind AbsenceKind() {
    CrashKind kind;
    kind.name = QStringLiteral("absences of 200 winners");
    kind.stopsWhenReady = true;
    kind.killsVariable = QStringLiteral("TIRAVO_CRASH_ABSENCE_KILLS");
    kind.defaultKills = 10;
    kind.prepare = [](Connection& connection) {
        {
            WriteScope batch(connection, WriteScope::Keeps::WhatWasWritten);
            Insert(connection, QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT "
                                              "x + 1 FROM n WHERE x < %1) INSERT INTO TbNome "
                                              "(Nome, Ordem, Ok, Ativo) SELECT 'Nome ' || x, "
                                              "'aaaa', 1, 1 FROM n")
                                   .arg(kAvailable));
            Insert(connection,
                   QStringLiteral(
                       "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n "
                       "WHERE x < %1) INSERT INTO TbNome (Nome, Ordem, Ok, Ativo, "
                       "Sorte) SELECT 'Ganhador ' || substr('00' || x, -3), 'zzzz', 0, 1, x "
                       "FROM n")
                       .arg(kWinners));
        }
        // The absence names the prize of the place it leaves.
        AddPrize(connection, NamePool(), QStringLiteral("Vale-compras"), kWinners);
    };
    kind.work = [](Connection& connection) {
        Query winners(connection, NamePool().winnersSql());
        winners.open();
        ReadyForKills();
        for (int place = 1; place <= kWinners; ++place) {
            if (!winners.locate("Sorte", QString::number(place)))
                throw std::runtime_error("a winner is missing from the list");
            if (!MarkAbsent(winners, NamePool(), QStringLiteral("não veio (%1)").arg(place)))
                throw std::runtime_error("an absence was not stored");
        }
    };
    kind.check = [](Connection& connection) {
        QStringList problems;
        const qint64 rows = CountOf(connection, QStringLiteral("Select count(*) From TbNome"));
        if (rows != kAvailable + kWinners)
            problems
                << QStringLiteral("%1 rows instead of %2").arg(rows).arg(kAvailable + kWinners);
        const qint64 available =
            CountOf(connection, QStringLiteral("Select count(*) From TbNome Where Ok = 1 And "
                                               "Ativo = 1 And Ordem = 'aaaa' And Sorte Is Null"));
        if (available != kAvailable)
            problems
                << QStringLiteral("%1 available rows instead of %2").arg(available).arg(kAvailable);
        // The places are marked in order, each in a transaction of its own:
        // the absent ones are the first so many, whole.
        const qint64 absent =
            CountOf(connection, QStringLiteral("Select count(*) From TbNome Where Ok Is Null"));
        const qint64 absentWhole = CountOf(
            connection, QStringLiteral("Select count(*) From TbNome Where Ok Is Null And Ativo = "
                                       "1 And Sorte Is Null And Ordem = 'zzzz' And Nome Glob "
                                       "'Ganhador *' And %1 <= %2")
                            .arg(kPlaceOfName)
                            .arg(absent));
        if (absentWhole != absent)
            problems << QStringLiteral("%1 of %2 absent rows whole and first in place")
                            .arg(absentWhole)
                            .arg(absent);
        const qint64 listed =
            CountOf(connection, QStringLiteral("Select count(*) From TbNome Where Ok = 0 And "
                                               "Ativo = 1 And Ordem = 'zzzz' And Sorte = %1")
                                    .arg(kPlaceOfName));
        if (listed + absent != kWinners)
            problems << QStringLiteral("%1 winners listed at their place and %2 absent, of %3")
                            .arg(listed)
                            .arg(absent)
                            .arg(kWinners);
        // Each absence has its one record row, naming the row, its place and
        // its name first; and no record row tells of an absence not stored.
        const qint64 absenceRows = CountOf(
            connection, QStringLiteral("Select count(*) From TbRegistro Where Acao = 'ausência'"));
        const qint64 matched = CountOf(
            connection,
            QStringLiteral("Select count(*) From TbRegistro r Join TbNome n On n.Cod = r.Item "
                           "Where r.Acao = 'ausência' And r.Lista = 'nomes' And n.Ok Is Null And "
                           "r.Sorte = CAST(substr(n.Nome, 10) AS INTEGER) And r.Entrada = "
                           "n.Nome || ' — Vale-compras — motivo: não veio (' || r.Sorte || ')'"));
        if (absenceRows != absent || matched != absent)
            problems << QStringLiteral("%1 absent rows, %2 absence record rows, %3 of them right")
                            .arg(absent)
                            .arg(absenceRows)
                            .arg(matched);
        const RecordCheck record = CheckRecord(connection);
        if (!record.holds)
            problems << QStringLiteral("the record does not hold: %1").arg(record.problem);
        return problems;
    };
    return kind;
}

} // namespace tiravo::crash
