// The record store against the engine's own C interface on the same file:
// each store figure is read as a ratio to its baseline from the same run.
#include "BenchRows.h"
#include "draws/model/NumberRange.h"
#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "platform/Random.h"
#include "store/DatabasePassword.h"
#include "store/TableView.h"
#include "store/WriteScope.h"
#include "support/TempDatabase.h"

#include "RawFile.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace tiravo {
namespace {

// TIRAVO_BENCH_ROWS sets the size of every table (100,000 by default).
const int kRows = BenchRows(100000);

// A pool as the program leaves it: every row with a random key.
void Fill(test::TempDatabase& db) {
    RawFile raw(db.path());
    SystemRandom random;
    raw.run("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES (?, ?, 1, 1)", kRows,
            [&](sqlite3_stmt* s, int i) {
                const QByteArray name = QStringLiteral("Participante %1").arg(i).toUtf8();
                const QByteArray key = NewOrderKey(random).toUtf8();
                sqlite3_bind_text(s, 1, name.constData(), static_cast<int>(name.size()),
                                  SQLITE_TRANSIENT);
                sqlite3_bind_text(s, 2, key.constData(), 4, SQLITE_TRANSIENT);
            });
}

std::unique_ptr<test::TempDatabase> FilledDatabase() {
    auto db = std::make_unique<test::TempDatabase>();
    Fill(*db);
    return db;
}

const ViewSpec kPool{.table = "TbNome", .filter = "Ok=True", .sortKey = "Ordem"};

void BM_Open_Baseline(benchmark::State& state) {
    auto db = FilledDatabase();
    RawFile raw(db->path());
    for (auto _ : state)
        benchmark::DoNotOptimize(raw.readAll());
}

void BM_Open_View(benchmark::State& state) {
    auto db = FilledDatabase();
    for (auto _ : state) {
        TableView view(db->connection(), kPool);
        view.open();
        benchmark::DoNotOptimize(view.recordCount());
    }
}

// The same without sorting, to tell reading from ordering.
void BM_Open_ViewUnsorted(benchmark::State& state) {
    auto db = FilledDatabase();
    for (auto _ : state) {
        TableView view(db->connection(), {.table = "TbNome", .filter = "Ok=True"});
        view.open();
        benchmark::DoNotOptimize(view.recordCount());
    }
}

void BM_Insert_Baseline(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        test::TempDatabase db;
        RawFile raw(db.path());
        state.ResumeTiming();
        raw.run("INSERT INTO TbNumero (Numero, Ordem, Ok) VALUES (?, 'abcd', 1)", kRows,
                [](sqlite3_stmt* s, int i) { sqlite3_bind_int(s, 1, i); });
    }
}

void BM_Insert_View(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        test::TempDatabase db;
        TableView view(db.connection(), {.table = "TbNumero", .filter = "Ok = True"});
        view.open();
        state.ResumeTiming();
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten);
        for (int i = 0; i < kRows; ++i) {
            view.insert();
            view.field("Numero").setAsInteger(i);
            view.field("Ordem").setAsString("abcd");
            view.field("Ok").setAsString("T");
            view.post();
        }
    }
}

// Both sides build the same keys without reseeding: the figure is the store's.
void BM_Reshuffle_Baseline(benchmark::State& state) {
    auto db = FilledDatabase();
    RawFile raw(db->path());
    SystemRandom random;
    for (auto _ : state)
        raw.run("UPDATE TbNome SET Ordem = ? WHERE Cod = ?", kRows, [&](sqlite3_stmt* s, int i) {
            const QByteArray key = NewOrderKey(random).toUtf8();
            sqlite3_bind_text(s, 1, key.constData(), 4, SQLITE_TRANSIENT);
            sqlite3_bind_int(s, 2, i + 1);
        });
}

void BM_Reshuffle_View(benchmark::State& state) {
    auto db = FilledDatabase();
    SystemRandom random;
    TableView view(db->connection(), kPool);
    view.open();
    for (auto _ : state) {
        WriteScope batch(db->connection(), WriteScope::Keeps::WhatWasWritten);
        view.setSortKey("Cod");
        while (!view.eof()) {
            view.edit();
            view.field("Ordem").setAsString(NewOrderKey(random));
            view.next();
        }
        view.setSortKey("Ordem");
    }
}

// The rows a range of numbers adds, written the engine's own way: each with
// a key built after fresh entropy, as the editor builds them.
void BM_NumberRange_Baseline(benchmark::State& state) {
    SystemRandom random;
    for (auto _ : state) {
        state.PauseTiming();
        test::TempDatabase db;
        RawFile raw(db.path());
        state.ResumeTiming();
        raw.run("INSERT INTO TbNumero (Numero, Ordem, Ok) VALUES (?, ?, 1)", kRows,
                [&](sqlite3_stmt* s, int i) {
                    const QByteArray key = NewReseededOrderKey(random).toUtf8();
                    sqlite3_bind_int(s, 1, i + 1);
                    sqlite3_bind_text(s, 2, key.constData(), 4, SQLITE_TRANSIENT);
                });
    }
}

// The same rows through the number editor's view.
void BM_NumberRange_View(benchmark::State& state) {
    SystemRandom random;
    for (auto _ : state) {
        state.PauseTiming();
        test::TempDatabase db;
        TableView view(db.connection(), {.table = "TbNumero",
                                         .columns = {"Cod", "Numero", "Ordem", "Ok"},
                                         .filter = "Ok = True",
                                         .required = {"Numero"}});
        view.afterInsert = [](Dataset& row) { row.field(kOk).setAsString(kTrueText); };
        view.open();
        state.ResumeTiming();
        InsertNumberRange(view, 1, kRows, random);
    }
}

void BM_LocateMissing_View(benchmark::State& state) {
    auto db = FilledDatabase();
    TableView view(db->connection(), kPool);
    view.open();
    for (auto _ : state)
        benchmark::DoNotOptimize(view.locate("Nome", "Ninguém"));
}

void BM_LocateMissing_Baseline(benchmark::State& state) {
    auto db = FilledDatabase();
    RawFile raw(db->path());
    for (auto _ : state)
        benchmark::DoNotOptimize(raw.readAll());
}

#define TIRAVO_BENCH(name)                                                                         \
    BENCHMARK(name)                                                                                \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(1)                                                                            \
        ->Repetitions(5)                                                                           \
        ->ReportAggregatesOnly(true)

TIRAVO_BENCH(BM_Open_Baseline);
TIRAVO_BENCH(BM_Open_View);
TIRAVO_BENCH(BM_Open_ViewUnsorted);
TIRAVO_BENCH(BM_Insert_Baseline);
TIRAVO_BENCH(BM_Insert_View);
TIRAVO_BENCH(BM_Reshuffle_Baseline);
TIRAVO_BENCH(BM_Reshuffle_View);
TIRAVO_BENCH(BM_NumberRange_Baseline);
TIRAVO_BENCH(BM_NumberRange_View);
TIRAVO_BENCH(BM_LocateMissing_Baseline);
TIRAVO_BENCH(BM_LocateMissing_View);

} // namespace
} // namespace tiravo

BENCHMARK_MAIN();
