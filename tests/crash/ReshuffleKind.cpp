// The draw screens' reshuffle: one batch that gives each of 100,000 available
// rows a new key.
#include "CrashKinds.h"

#include "draws/model/PoolKeys.h"
#include "platform/Random.h"
#include "store/Connection.h"
#include "store/TableView.h"
#include "store/WriteScope.h"

namespace tiravo::crash {

namespace {

constexpr int kAvailable = 100000;
constexpr int kDrawn = 10;

} // namespace

CrashKind ReshuffleKind() {
    CrashKind kind;
    kind.name = QStringLiteral("reshuffle of 100,000");
    kind.prepare = [](Connection& connection) {
        // Every available row starts on one key that a new key repeats only
        // once in 456,976 draws: a file holding some rows on it and some on
        // new keys was left half written.
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
        // A draw screen's pool view.
        TableView pool(connection, {.table = QStringLiteral("TbNumero"),
                                    .filter = QStringLiteral("Ok = True"),
                                    .sortKey = QStringLiteral("Ordem")});
        pool.open();
        SystemRandom random;
        ReshufflePool(pool, random);
    };
    kind.check = [](Connection& connection) {
        QStringList problems = BrokenPoolRows(connection, QStringLiteral("TbNumero"));
        const qint64 rows = CountOf(connection, QStringLiteral("Select count(*) From TbNumero"));
        if (rows != kAvailable + kDrawn)
            problems << QStringLiteral("%1 rows instead of %2").arg(rows).arg(kAvailable + kDrawn);
        const qint64 oldKeys = CountOf(
            connection, QStringLiteral("Select count(*) From TbNumero Where Ordem = 'aaaa'"));
        // Some 0.2 rows keep it by chance when the reshuffle is stored.
        if (oldKeys != kAvailable && oldKeys > 20)
            problems << QStringLiteral("%1 rows on the old key, the rest on new ones").arg(oldKeys);
        const qint64 drawnIntact =
            CountOf(connection, QStringLiteral("Select count(*) From TbNumero Where Ok = 0 And "
                                               "Ativo = 1 And Ordem = 'zzzz' And Sorte = "
                                               "Numero - %1")
                                    .arg(kAvailable));
        if (drawnIntact != kDrawn)
            problems
                << QStringLiteral("%1 of the %2 drawn rows intact").arg(drawnIntact).arg(kDrawn);
        return problems;
    };
    return kind;
}

} // namespace tiravo::crash
