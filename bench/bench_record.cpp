// What the record of draws costs: the winner's write of a draw over a large
// pool with and without its record row (and with the fingerprint read at the
// write rather than in the pauses), the fingerprint itself, the check of a
// long record, and the minutes of a day of draws.
#include "draws/model/AvailableEntries.h"
#include "draws/model/Minutes.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/PoolKeys.h"
#include "draws/model/RecordCheck.h"
#include "platform/Random.h"
#include "store/Query.h"
#include "store/RowLoop.h"
#include "store/TableView.h"
#include "store/WriteScope.h"
#include "support/TempDatabase.h"

#include <QTemporaryDir>

#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

namespace tiravo {
namespace {

void FillPool(test::TempDatabase& db, int count) {
    db.exec(QStringLiteral(
                "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE x < %1) "
                "INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) SELECT x, "
                "char(97 + abs(random() % 26), 97 + abs(random() % 26), 97 + abs(random() % 26), "
                "97 + abs(random() % 26)), 1, 0 FROM n")
                .arg(count));
}

struct NumberScreenViews {
    explicit NumberScreenViews(Connection& c)
        : pool(c, {.table = "TbNumero", .filter = kAvailableFilter, .sortKey = kOrdem}),
          winners(c, {"Select *", "From TbNumero", "Where Ativo=True and Ok=False",
                      "Order by Sorte Desc"}) {}
    void reset(test::TempDatabase& db) {
        db.exec("UPDATE TbNumero SET Ok = 1, Ativo = 0, Sorte = NULL");
        pool.close();
        pool.open();
        winners.close();
        winners.open();
    }
    TableView pool;
    Query winners;
};

// The write that ends "Fazer Sorteio" as a draw makes it: the guarded post of
// the winner, in one transaction with its record row (the previous row, the
// new one), the available numbers' count and fingerprint having been read in
// the draw's pauses (untimed here).
void BM_WinnerWithRecord(benchmark::State& state) {
    test::TempDatabase db;
    FillPool(db, int(state.range(0)));
    NumberScreenViews views(db.connection());
    for (auto _ : state) {
        state.PauseTiming();
        views.reset(db);
        const AvailableEntries before =
            AvailableEntriesReading(db.connection(), NumberPool()).readAll();
        state.ResumeTiming();
        RecordWinner(views.pool, views.winners, WinnerFlag::OkPlaceAndActive, NumberEntries(), {},
                     {}, &before);
    }
}

// The same write with the fingerprint read at the write itself, as the hidden
// pick and a single-entry draw still do.
void BM_WinnerFingerprintAtWrite(benchmark::State& state) {
    test::TempDatabase db;
    FillPool(db, int(state.range(0)));
    NumberScreenViews views(db.connection());
    for (auto _ : state) {
        state.PauseTiming();
        views.reset(db);
        state.ResumeTiming();
        RecordWinner(views.pool, views.winners, WinnerFlag::OkPlaceAndActive, NumberEntries());
    }
}

// The fingerprint alone, as the pauses of a draw read it, over numbers and
// over names of 40 characters.
void BM_FingerprintNumbers(benchmark::State& state) {
    test::TempDatabase db;
    FillPool(db, int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(AvailableEntriesReading(db.connection(), NumberPool()).readAll());
}

void BM_FingerprintNames(benchmark::State& state) {
    test::TempDatabase db;
    db.exec(QStringLiteral("WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE "
                           "x < %1) INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) SELECT "
                           "printf('Participante %%027d', x), 'abcd', 1, 0 FROM n")
                .arg(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(AvailableEntriesReading(db.connection(), NamePool()).readAll());
}

// The same post as the draw wrote it before the record: alone, committed on
// its own.
void BM_WinnerWithoutRecord(benchmark::State& state) {
    test::TempDatabase db;
    FillPool(db, int(state.range(0)));
    NumberScreenViews views(db.connection());
    for (auto _ : state) {
        state.PauseTiming();
        views.reset(db);
        state.ResumeTiming();
        const int place = NextWinnerPlace(views.winners);
        EditRowIfStill(views.pool, kOk, [place](Dataset& row) {
            row.field(kOk).setAsString(kFalseText);
            row.field(kAtivo).setAsString(kTrueText);
            row.field(kSorte).setAsInteger(place);
        });
    }
}

// A record of about `rows` rows: a pool of 100 numbers drawn empty and
// released again and again, written in one transaction to spare the disk.
void FillRecord(test::TempDatabase& db, int rows) {
    FillPool(db, 100);
    NumberScreenViews views(db.connection());
    views.pool.open();
    views.winners.open();
    SystemRandom random;
    WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten);
    for (int written = 0; written < rows; written += 101) {
        while (views.pool.recordCount() > 0) {
            RecordWinner(views.pool, views.winners, WinnerFlag::OkPlaceAndActive, NumberEntries());
            views.winners.requery();
        }
        ReleaseThroughFilter(views.pool, QString(), random);
        views.pool.setFilter(kAvailableFilter);
        db.exec("UPDATE TbNumero SET Ativo = 0, Sorte = NULL");
        views.winners.requery();
    }
}

void BM_VerifyRecord(benchmark::State& state) {
    test::TempDatabase db;
    FillRecord(db, int(state.range(0)));
    std::int64_t rows = 0;
    for (auto _ : state) {
        const RecordCheck check = CheckRecord(db.connection());
        if (!check.holds)
            state.SkipWithError(check.problem.toStdString().c_str());
        rows = check.rows;
    }
    state.counters["rows"] = double(rows);
}

// The minutes of an event of `range` draws (three pools' worth in one).
void BM_Minutes(benchmark::State& state) {
    test::TempDatabase db;
    FillPool(db, 1000);
    NumberScreenViews views(db.connection());
    views.pool.open();
    views.winners.open();
    db.connection().setOperatorName("Conceição");
    for (int i = 0; i < state.range(0); ++i) {
        RecordWinner(views.pool, views.winners, WinnerFlag::OkPlaceAndActive, NumberEntries());
        views.winners.requery();
    }
    QTemporaryDir dir;
    const QString pdf = dir.filePath("ata.pdf");
    int pages = 0;
    for (auto _ : state)
        pages =
            WriteMinutesPdf(db.connection(), QDate::currentDate(), pdf, MessageLanguage::English);
    state.counters["pages"] = pages;
    if (qEnvironmentVariableIsSet("TIRAVO_KEEP_MINUTES"))
        QFile::copy(pdf, qEnvironmentVariable("TIRAVO_KEEP_MINUTES"));
}

BENCHMARK(BM_WinnerWithRecord)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WinnerFingerprintAtWrite)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FingerprintNumbers)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_FingerprintNames)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_WinnerWithoutRecord)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_VerifyRecord)->Arg(100000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Minutes)->Arg(300)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
