// The name editor over large pools: "Importar" of a 100,000-line file into an
// empty pool and into a pool that holds every name already, each beside the
// engine's C interface inserting the same rows in one transaction, the pool
// view opening in alphabetical order, and one keystroke of the incremental
// search.
#include "BenchRows.h"
#include "draws/IncluirNomes.h"
#include "draws/model/OrderKey.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "store/TableView.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/FakePause.h"
#include "support/TempDatabase.h"

#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>

#include "BenchServices.h"
#include "QtBenchmarkMain.h"
#include "RawFile.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace tiravo {
namespace {

// TIRAVO_BENCH_ROWS sets the number of names (100,000 by default).
const int kNames = BenchRows(100000);

// Names as people have them, kept apart by a number.
QString NameAt(int i) {
    static const char* const first[] = {"Ana",    "Bruno",    "Carla",  "Davi",    "Eduarda",
                                        "Fábio",  "Gabriela", "Heitor", "Isabel",  "João",
                                        "Karina", "Lucas",    "Maria",  "Nicolas", "Olívia",
                                        "Pedro",  "Quitéria", "Rafael", "Sofia",   "Tiago"};
    static const char* const last[] = {"Silva",    "Santos",  "Oliveira",  "Souza",    "Rodrigues",
                                       "Ferreira", "Alves",   "Pereira",   "Lima",     "Gomes",
                                       "Costa",    "Ribeiro", "Martins",   "Carvalho", "Almeida",
                                       "Lopes",    "Soares",  "Fernandes", "Vieira",   "Barbosa"};
    return QStringLiteral("%1 %2 %3")
        .arg(QString::fromUtf8(first[i % 20]), QString::fromUtf8(last[(i / 20) % 20]))
        .arg(i);
}

// The names, one to a line, as a desktop editor saves them.
const QString& NamesFile() {
    static QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("nomes.txt"));
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly))
            return QString();
        QByteArray bytes;
        for (int i = 0; i < kNames; ++i)
            bytes += NameAt(i).toUtf8() + "\r\n";
        out.write(bytes);
        return file;
    }();
    return path;
}

// The rows an import of the file stores, written the engine's own way.
void InsertBaseline(const QString& database) {
    RawFile raw(database);
    SystemRandom random;
    raw.run("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES (?, ?, 1, 1)", kNames,
            [&](sqlite3_stmt* s, int i) {
                const QByteArray name = NameAt(i).toUtf8();
                const QByteArray key = NewOrderKey(random).toUtf8();
                sqlite3_bind_text(s, 1, name.constData(), static_cast<int>(name.size()),
                                  SQLITE_TRANSIENT);
                sqlite3_bind_text(s, 2, key.constData(), 4, SQLITE_TRANSIENT);
            });
}

std::unique_ptr<TFIncluirNomes> OpenEditor(test::TempDatabase& db, BenchServices& fake) {
    auto editor = std::make_unique<TFIncluirNomes>(nullptr, fake.context(db.connection()));
    editor->show();
    QApplication::processEvents();
    return editor;
}

void Import(TFIncluirNomes& editor, BenchServices& fake) {
    fake.dialogs.answerYes();
    fake.dialogs.answerPath(NamesFile());
    editor.Button3Click();
}

void BM_ImportIntoEmptyPool_Baseline(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        test::TempDatabase db;
        state.ResumeTiming();
        InsertBaseline(db.path());
    }
}

void BM_ImportIntoEmptyPool(benchmark::State& state) {
    BenchServices fake;
    NamesFile();
    for (auto _ : state) {
        state.PauseTiming();
        auto db = std::make_unique<test::TempDatabase>();
        auto editor = OpenEditor(*db, fake);
        fake.dialogs.clear();
        state.ResumeTiming();
        Import(*editor, fake);
        state.PauseTiming();
        if (editor->TbNome.recordCount() != kNames || fake.dialogs.asked().size() != 3)
            state.SkipWithError("the import did not store every name");
        editor.reset();
        db.reset();
        state.ResumeTiming();
    }
}

// Every line names an available name: nothing is stored, every line is tested.
void BM_ImportIntoFullPool(benchmark::State& state) {
    BenchServices fake;
    NamesFile();
    test::TempDatabase db;
    InsertBaseline(db.path());
    auto editor = OpenEditor(db, fake);
    for (auto _ : state) {
        fake.dialogs.clear();
        Import(*editor, fake);
        if (editor->TbNome.recordCount() != kNames || fake.dialogs.asked().size() != 3)
            state.SkipWithError("the import stored a name it should have found");
    }
}

// The editor's pool view opening over 100,000 names: reading and sorting them
// by Nome. The same view unsorted tells the one from the other.
void OpenPoolView(benchmark::State& state, const QString& sortKey) {
    test::TempDatabase db;
    InsertBaseline(db.path());
    for (auto _ : state) {
        TableView view(db.connection(),
                       {.table = "TbNome", .filter = "Ok=True", .sortKey = sortKey});
        view.open();
        if (view.recordCount() != kNames)
            state.SkipWithError("the view did not read every name");
    }
}

void BM_OpenPoolView(benchmark::State& state) {
    OpenPoolView(state, QStringLiteral("Nome"));
}

void BM_OpenPoolViewUnsorted(benchmark::State& state) {
    OpenPoolView(state, QString());
}

// One keystroke in Edit1: the search and the grid following the cursor.
void BM_SearchKeystroke(benchmark::State& state) {
    BenchServices fake;
    test::TempDatabase db;
    InsertBaseline(db.path());
    auto editor = OpenEditor(db, fake);
    const QStringList typed = {"j",   "jo",      "joã", "joão s", "m", "ma",
                               "mar", "maria c", "ped", "x",      "",  "S"};
    editor->Edit1->setText(QStringLiteral("a")); // the first search reads the column
    qsizetype next = 0;
    for (auto _ : state) {
        editor->Edit1->setText(typed[next]);
        next = (next + 1) % typed.size();
    }
}

// The first keystroke after the pool view is opened, which reads the column.
void BM_SearchFirstKeystroke(benchmark::State& state) {
    BenchServices fake;
    test::TempDatabase db;
    InsertBaseline(db.path());
    auto editor = OpenEditor(db, fake);
    for (auto _ : state) {
        state.PauseTiming();
        editor->Edit1->clear();
        editor->TbNome.close();
        editor->TbNome.open();
        state.ResumeTiming();
        editor->Edit1->setText(QStringLiteral("jo"));
    }
}

#define TIRAVO_BENCH(name)                                                                         \
    BENCHMARK(name)                                                                                \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(1)                                                                            \
        ->Repetitions(5)                                                                           \
        ->ReportAggregatesOnly(true)                                                               \
        ->UseRealTime()

TIRAVO_BENCH(BM_ImportIntoEmptyPool_Baseline);
TIRAVO_BENCH(BM_ImportIntoEmptyPool);
TIRAVO_BENCH(BM_ImportIntoFullPool);
TIRAVO_BENCH(BM_OpenPoolView);
TIRAVO_BENCH(BM_OpenPoolViewUnsorted);
TIRAVO_BENCH(BM_SearchFirstKeystroke);
BENCHMARK(BM_SearchKeystroke)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
