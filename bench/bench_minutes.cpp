// The minutes of a company's year-end party: a plan of 40 prizes over 450
// places of the name pool, filled by single draws and four batches, with 12
// winners absent and their places drawn again (462 draws, 450 winners at the
// end). Times the PDF of that day and counts its pages.
//   build/bench/bench_minutes --benchmark_min_time=1x
// TIRAVO_KEEP_MINUTES=FILE.pdf keeps a copy of the PDF, to be looked at
// (pdftoppm -png -r 80 FILE.pdf page); TIRAVO_BENCH_ROWS sets the number of
// names in the pool (1,500).
#include "BenchRows.h"
#include "draws/model/AbsentWinner.h"
#include "draws/model/AvailableEntries.h"
#include "draws/model/DemoFile.h"
#include "draws/model/Minutes.h"
#include "draws/model/OrderKey.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/PrizePlan.h"
#include "draws/model/RecordWriter.h"
#include "platform/Random.h"
#include "store/ChangedElsewhere.h"
#include "store/Query.h"
#include "store/SqlStatement.h"
#include "store/TableView.h"
#include "store/WriteScope.h"
#include "support/FileInspection.h"
#include "support/TempDatabase.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include "QtBenchmarkMain.h"

#include <benchmark/benchmark.h>

#include <stdexcept>

namespace tiravo {
namespace {

const QDate kPartyDay(2026, 12, 11);

// 10 prizes of one, 20 of ten and 10 of twenty-four: 450 places.
void FillPlan(Connection& c) {
    const QStringList single = {"Carro 0 km",
                                "Moto 160 cilindradas",
                                "Viagem a Salvador para duas pessoas",
                                "TV 65 polegadas",
                                "Notebook 15 polegadas",
                                "Geladeira duplex frost free",
                                "Smartphone",
                                "Bicicleta aro 29",
                                "Máquina de lavar 12 kg",
                                "Fritadeira elétrica sem óleo"};
    const QStringList tens = {
        "Fone de ouvido sem fio", "Caixa de som portátil",  "Liquidificador",
        "Cafeteira expresso",     "Relógio esportivo",      "Jogo de panelas",
        "Ventilador de coluna",   "Mochila de viagem",      "Micro-ondas 20 litros",
        "Tablet 8 polegadas",     "Aspirador de pó",        "Sanduicheira",
        "Jogo de cama casal",     "Churrasqueira elétrica", "Kit de ferramentas",
        "Mala de bordo",          "Câmera instantânea",     "Leitor de livros digitais",
        "Grill elétrico",         "Cadeira de escritório"};
    const QStringList twentyFours = {"Vale-compras de R$ 200",
                                     "Vale-compras de R$ 100",
                                     "Kit de vinhos",
                                     "Cesta de café da manhã",
                                     "Garrafa térmica",
                                     "Kit de churrasco",
                                     "Livro de receitas",
                                     "Caneca personalizada",
                                     "Ingresso de cinema para dois",
                                     "Panetone"};
    for (const QString& prize : single)
        AddPrize(c, NamePool(), prize, 1);
    for (const QString& prize : tens)
        AddPrize(c, NamePool(), prize, 10);
    for (const QString& prize : twentyFours)
        AddPrize(c, NamePool(), prize, 24);
}

// Invented people: the first name of one demo name with the surname of
// another.
void FillNames(test::TempDatabase& db, int count, Random& random) {
    const QStringList& demo = DemoNames();
    Connection& c = db.connection();
    WriteScope batch(c, WriteScope::Keeps::AllOrNothing);
    SqlStatement& insert = c.statement(
        QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES (?, ?, 1, 1)"));
    for (int i = 0; i < count; ++i) {
        const QString first = demo[i % demo.size()].section(u' ', 0, 0);
        const QString last = demo[(i / demo.size() + i) % demo.size()].section(u' ', -1);
        insert.bind(1, QStringLiteral("%1 %2 %3").arg(first, last).arg(i + 1));
        insert.bind(2, NewOrderKey(random));
        insert.step();
        insert.reset();
    }
    batch.commit();
}

class Party {
public:
    explicit Party(Connection& connection)
        : c_(connection),
          pool_(c_, {.table = "TbNome", .filter = kAvailableFilter, .sortKey = kOrdem}),
          winners_(c_, NamePool().winnersSql()) {
        c_.setClock([this] { return now_; });
        c_.setOperatorName(QStringLiteral("Conceição"));
        now_ = QDateTime(kPartyDay.addDays(-1), QTime(18, 0), QTimeZone(-3 * 3600));
        FillPlan(c_);
        now_ = QDateTime(kPartyDay, QTime(20, 0), QTimeZone(-3 * 3600));
        pool_.open();
        winners_.open();
    }

    void singles(int draws) {
        for (int i = 0; i < draws; ++i) {
            pass(40);
            RecordWinner(pool_, winners_, WinnerFlag::OkPlaceAndActive, NameEntries());
            ReadAgain(winners_);
        }
    }

    // A batch's draws as a batch writes them: each a draw of its own, whose
    // record row names the batch by the sequence of its first.
    void batch(int draws) {
        const std::int64_t first =
            test::CountOf(c_, QStringLiteral("SELECT max(Sequencia) + 1 FROM TbRegistro"));
        for (int i = 0; i < draws; ++i) {
            pass(4);
            batchDraw(first);
        }
    }

    void absent(std::initializer_list<int> places) {
        static const QStringList reasons = {"não compareceu", QString(), "saiu antes do sorteio",
                                            "de férias",      QString(), "não respondeu à chamada"};
        for (const int place : places) {
            pass(30);
            if (!winners_.locate("Sorte", QString::number(place)))
                throw std::runtime_error("no winner at that place");
            MarkAbsent(winners_, NamePool(), reasons[absences_++ % reasons.size()]);
        }
    }

    int winners() const { return int(winners_.recordCount()); }

private:
    void pass(int seconds) { now_ = now_.addSecs(seconds); }

    void batchDraw(std::int64_t batch) {
        pool_.first();
        const std::int64_t item = pool_.field(kCod).asInteger();
        {
            WriteScope scope(c_, WriteScope::Keeps::AllOrNothing);
            const AvailableEntries before = AvailableEntriesReading(c_, NamePool()).readAll();
            const int place = PlaceOfNextDraw(c_, NamePool(), winners_);
            SqlStatement& write = c_.statement(
                QStringLiteral("UPDATE TbNome SET Ok = 0, Ativo = 1, Sorte = ? WHERE Cod = ?"));
            write.bind(1, std::int64_t(place));
            write.bind(2, item);
            write.step();
            write.reset();
            RecordRow row;
            row.pool = NamePool().name;
            row.action = RecordActionText(RecordAction::BatchDraw);
            row.item = item;
            row.entry = pool_.field("Nome").asString();
            row.place = place;
            row.available = before.count;
            row.count = batch;
            row.fingerprint = before.fingerprint;
            AppendRecordRow(c_, row);
            scope.commit();
        }
        ReadAgain(pool_);
        ReadAgain(winners_);
    }

    Connection& c_;
    QDateTime now_;
    TableView pool_;
    Query winners_;
    int absences_ = 0;
};

void BM_PartyMinutes(benchmark::State& state) {
    test::TempDatabase db;
    SystemRandom random;
    FillNames(db, BenchRows(1500), random);
    Party party(db.connection());
    party.singles(10);
    party.absent({3, 7});
    party.singles(2);
    party.batch(60);
    party.singles(10);
    party.absent({15, 42, 77});
    party.singles(3);
    party.batch(150);
    party.absent({120, 181, 229});
    party.batch(120);
    party.absent({300, 12, 333, 64});
    party.singles(7);
    party.batch(100);
    if (party.winners() != 450)
        state.SkipWithError("the party did not end with 450 winners");

    QTemporaryDir dir;
    const QString pdf = dir.filePath("ata.pdf");
    int pages = 0;
    for (auto _ : state)
        pages = WriteMinutesPdf(db.connection(), kPartyDay, pdf, MessageLanguage::English);
    state.counters["pages"] = pages;
    if (qEnvironmentVariableIsSet("TIRAVO_KEEP_MINUTES")) {
        const QString kept = qEnvironmentVariable("TIRAVO_KEEP_MINUTES");
        QFile::remove(kept);
        QFile::copy(pdf, kept);
    }
}

BENCHMARK(BM_PartyMinutes)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
} // namespace tiravo

int main(int argc, char** argv) {
    return tiravo::RunQtBenchmarks(argc, argv);
}
