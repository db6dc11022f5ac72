// The photo editor's own work on a folder of 10,000 photos: reading the
// folder, and "Incluir Foto" into an empty pool and into a pool of as many
// free slots (a fresh seed before each slot's key).
#include "draws/IncluirFoto.h"
#include "platform/Clock.h"
#include "platform/FolderListing.h"
#include "platform/Random.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/FakePause.h"
#include "support/TempDatabase.h"
#include "widgets/FileList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BenchServices.h"
#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

namespace tiravo {
namespace {

constexpr int kPhotos = 10000;

// Half JPEG, half GIF, and as many files of other kinds that are left out.
const QTemporaryDir& PhotoFolder() {
    static QTemporaryDir folder;
    static const bool filled = [] {
        for (int i = 0; i < kPhotos; ++i) {
            const char* kind = i % 2 ? "gif" : "JPG";
            for (const QString& name : {QStringLiteral("foto%1.%2").arg(i).arg(kind),
                                        QStringLiteral("outra%1.png").arg(i)}) {
                QFile file(folder.filePath(name));
                if (!file.open(QIODevice::WriteOnly))
                    return false;
            }
        }
        return true;
    }();
    return filled ? folder : folder;
}

void BM_ListFolder(benchmark::State& state) {
    const QString folder = PhotoFolder().path();
    for (auto _ : state)
        if (ListMatchingFiles(folder, QStringLiteral("*.jpg; *.gif;")).size() != kPhotos)
            state.SkipWithError("not every photo was listed");
}

// The operator's click with Yes, from the question to the views read again.
// range(0): the pool's free slots before the click (0 or all).
void BM_AddFolder(benchmark::State& state) {
    test::TempDatabase db;
    BenchServices fake;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(PhotoFolder().path());
    TFIncluirFoto w(nullptr, fake.context(db.connection()));
    for (auto _ : state) {
        state.PauseTiming();
        db.exec("DELETE FROM TbFoto");
        if (state.range(0) > 0)
            db.exec(QStringLiteral(
                        "WITH RECURSIVE n(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM n WHERE "
                        "x < %1) INSERT INTO TbFoto (Foto, Ordem, Ativo) SELECT '', 'aaaa', 1 "
                        "FROM n")
                        .arg(state.range(0)));
        w.TbFoto.close();
        w.TbFoto.open();
        w.TbFotoBranco.close();
        w.TbFotoBranco.open();
        fake.dialogs.clear();
        fake.dialogs.answerYes();
        state.ResumeTiming();
        w.BitBtn1Click();
        state.PauseTiming();
        if (w.TbFoto.recordCount() != kPhotos || w.TbFotoBranco.recordCount() != 0)
            state.SkipWithError("not every photo was added");
        state.ResumeTiming();
    }
    QDir::setCurrent(previous);
}

// Showing the folder in the file list: reading it and filling the list.
void BM_ShowFolder(benchmark::State& state) {
    const QString previous = QDir::currentPath();
    FileList list(nullptr, QStringLiteral("*.jpg; *.gif;"));
    for (auto _ : state)
        list.setDirectory(PhotoFolder().path());
    QDir::setCurrent(previous);
}

BENCHMARK(BM_ListFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ShowFolder)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_AddFolder)->Arg(0)->Arg(kPhotos)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
