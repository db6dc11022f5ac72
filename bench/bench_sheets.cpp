// "Importar" of 100,000 names into an empty pool from a text file, from a CSV
// file and from an Excel workbook of the same names, each spreadsheet with a
// second column of phone numbers and a header, so that the column window
// comes up and is answered with Enter. The spreadsheets' figures over the
// text file's give what reading a spreadsheet costs on top of the import.
#include "BenchRows.h"
#include "draws/ColunaNomes.h"
#include "draws/IncluirNomes.h"
#include "support/ModalDriver.h"
#include "support/TempDatabase.h"
#include "support/Workbooks.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "BenchServices.h"
#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace tiravo {
namespace {

// TIRAVO_BENCH_ROWS sets the number of names (100,000 by default).
const int kNames = BenchRows(100000);

QString NameAt(int i) {
    static const char* const first[] = {"Ana",  "Bruno", "Conceição", "Davi",  "Fábio",
                                        "João", "Maria", "Olívia",    "Pedro", "Zoë"};
    static const char* const last[] = {"Silva",   "Souza", "Gonçalves", "Lima",  "Araújo",
                                       "Ribeiro", "Costa", "Peçanha",   "Alves", "Nogueira"};
    return QStringLiteral("%1 %2 %3")
        .arg(QString::fromUtf8(first[i % 10]), QString::fromUtf8(last[(i / 10) % 10]))
        .arg(i);
}

QTemporaryDir& Folder() {
    static QTemporaryDir folder;
    return folder;
}

QString Write(const QString& name, const QByteArray& bytes) {
    const QString path = Folder().filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

const QString& TextFile() {
    static const QString path = [] {
        QByteArray bytes;
        for (int i = 0; i < kNames; ++i)
            bytes += NameAt(i).toUtf8() + "\r\n";
        return Write(QStringLiteral("nomes.txt"), bytes);
    }();
    return path;
}

// As a spreadsheet in Portuguese saves it: Windows-1252 and semicolons.
const QString& CsvFile() {
    static const QString path = [] {
        QByteArray bytes = "Nome;Telefone\r\n";
        for (int i = 0; i < kNames; ++i)
            bytes += NameAt(i).toLatin1() + ";(11) 9" + QByteArray::number(10000000 + i) + "\r\n";
        return Write(QStringLiteral("nomes.csv"), bytes);
    }();
    return path;
}

const QString& Workbook() {
    static const QString path = [] {
        QList<QStringList> rows = {{"Nome", "Telefone"}};
        for (int i = 0; i < kNames; ++i)
            rows.append({NameAt(i), QStringLiteral("#11900000000%1").arg(i)});
        const QString file = Folder().filePath(QStringLiteral("nomes.xlsx"));
        test::WriteWorkbook(file, rows);
        return file;
    }();
    return path;
}

void ImportInto(benchmark::State& state, const QString& path, bool asksColumn) {
    BenchServices fake;
    for (auto _ : state) {
        state.PauseTiming();
        auto db = std::make_unique<test::TempDatabase>();
        auto editor = std::make_unique<TFIncluirNomes>(nullptr, fake.context(db->connection()));
        editor->show();
        QApplication::processEvents();
        fake.dialogs.clear();
        fake.dialogs.answerYes();
        fake.dialogs.answerPath(path);
        if (asksColumn)
            test::OnNextModal([](QDialog* window) { QTest::keyClick(window, Qt::Key_Return); });
        state.ResumeTiming();
        editor->Button3Click();
        state.PauseTiming();
        if (editor->TbNome.recordCount() != kNames || fake.dialogs.asked().size() != 3)
            state.SkipWithError("the import did not store every name");
        editor.reset();
        db.reset();
        state.ResumeTiming();
    }
}

void BM_ImportText(benchmark::State& state) {
    ImportInto(state, TextFile(), false);
}

void BM_ImportCsv(benchmark::State& state) {
    ImportInto(state, CsvFile(), true);
}

void BM_ImportXlsx(benchmark::State& state) {
    ImportInto(state, Workbook(), true);
}

#define TIRAVO_BENCH(name)                                                                         \
    BENCHMARK(name)                                                                                \
        ->Unit(benchmark::kMillisecond)                                                            \
        ->Iterations(1)                                                                            \
        ->Repetitions(3)                                                                           \
        ->ReportAggregatesOnly(true)                                                               \
        ->UseRealTime()

TIRAVO_BENCH(BM_ImportText);
TIRAVO_BENCH(BM_ImportCsv);
TIRAVO_BENCH(BM_ImportXlsx);

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
