// Start-up over the demo-sized database: from creating the main window (which
// opens the encrypted file) to the login window on screen, and on through a
// scripted login to the maximised main window.
#include "shell/Menu.h"
#include "shell/Usuario.h"
#include "store/TableView.h"
#include "support/ProgramDatabase.h"
#include "support/TestServices.h"
#include "widgets/Resources.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

namespace tiravo {
namespace {

void FillDemoSized(test::ProgramDatabase& db) {
    db.exec("INSERT INTO Usuario (Nome, Senha) VALUES ('demo', 'demo')");
    db.exec("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 90) "
            "INSERT INTO TbNumero (Numero, Ordem, Ok) SELECT i, 'abcd', 1 FROM n");
    db.exec("INSERT INTO TbImage (Logo1) VALUES ('')");
}

void BM_StartUp(benchmark::State& state) {
    test::ProgramDatabase db;
    FillDemoSized(db);
    std::vector<double> toLogin;
    std::vector<double> toMain;
    for (auto _ : state) {
        TestServices fakes;
        QElapsedTimer clock;
        clock.start();
        TFMenu menu(fakes.programContext());
        double loginShown = 0;
        QTimer::singleShot(0, [&] {
            auto* login = qobject_cast<TFUsuario*>(QApplication::activeModalWidget());
            loginShown = static_cast<double>(clock.nsecsElapsed()) / 1e6;
            login->EditUser->setText("demo");
            login->EditSenha->setText("demo");
            login->BitBtn1->click();
        });
        menu.Start();
        QApplication::processEvents();
        toLogin.push_back(loginShown);
        toMain.push_back(static_cast<double>(clock.nsecsElapsed()) / 1e6);
    }
    state.counters["login_ms"] = toLogin.back();
    state.counters["main_ms"] = toMain.back();
}

BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(7);

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
