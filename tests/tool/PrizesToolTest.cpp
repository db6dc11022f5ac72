// `tiravo-db prizes` and the prize plans in a dump and in the record's check,
// on real files, as the operator runs the tool.
#include "ToolRun.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class PrizesToolTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(run({"create"}).exitCode, 0); }
    QString file() const { return dir_.filePath("Zodizi.db"); }
    Outcome run(QStringList arguments) { return RunTool(arguments << "--file" << file()); }

    QTemporaryDir dir_;
};

TEST_F(PrizesToolTest, PrintsEachPoolsPlanWithThePlacesOfEachPrize) {
    EXPECT_EQ(run({"prizes"}).out,
              "numeros: no prize plan\n\nnomes: no prize plan\n\nfotos: no prize plan\n\n");
    {
        auto connection = Open(file());
        AddPrize(*connection, NamePool(), "Bicicleta", 3);
        AddPrize(*connection, NamePool(), "Televisor", 1);
        AddPrize(*connection, NamePool(), "Cesta de Natal", 10);
        AddPrize(*connection, PhotoPool(), "Carro", 1);
        // A description written into the file by hand cannot drive the terminal.
        connection->execute("INSERT INTO TbPremio (Lista, Posicao, Descricao, Quantidade) "
                            "VALUES ('fotos', 9, 'Bola' || char(27) || '[2J', 2)");
    }
    const Outcome all = run({"prizes"});
    EXPECT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(all.out, "numeros: no prize plan\n"
                       "\n"
                       "nomes: 3 prizes, 14 places\n"
                       "Places  Quantity  Prize\n"
                       "1-3            3  Bicicleta\n"
                       "4              1  Televisor\n"
                       "5-14          10  Cesta de Natal\n"
                       "\n"
                       "fotos: 2 prizes, 3 places\n"
                       "Places  Quantity  Prize\n"
                       "1              1  Carro\n"
                       "2-3            2  Bola\\x1B[2J\n"
                       "\n");
    EXPECT_EQ(run({"prizes", "--pool", "fotos"}).out, all.out.mid(all.out.indexOf("fotos:")));

    // The plans are in the dump once there are some, and their record rows
    // keep the record whole.
    const QString dump = run({"dump"}).out;
    EXPECT_TRUE(dump.contains("TbPremio\nCod\tLista\tPosicao\tDescricao\tQuantidade\n"
                              "1\tnomes\t1\tBicicleta\t3\n"))
        << dump.toStdString();
    const Outcome verified = run({"verify"});
    EXPECT_EQ(verified.exitCode, 0) << verified.err.toStdString();
    EXPECT_TRUE(verified.out.startsWith("ok: 4 rows")) << verified.out.toStdString();
}

TEST_F(PrizesToolTest, TakesOnlyThePoolOption) {
    for (const QStringList& arguments :
         {QStringList{"prizes", "--csv"}, QStringList{"prizes", "--pool", "premios"},
          QStringList{"prizes", "--date", "2026-12-09"}}) {
        const Outcome refused = run(arguments);
        EXPECT_EQ(refused.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(refused.out.isEmpty());
    }
    EXPECT_TRUE(RunTool({"--help"}).out.contains("prizes [--pool numeros|nomes|fotos]"));
}

} // namespace
} // namespace tiravo
