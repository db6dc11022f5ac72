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

// Each winner's prize is named once the pool has a plan; a pool without one
// lists its winners as it always did.
TEST_F(PrizesToolTest, WinnersNameTheirPrizesWhenThePoolHasAPlan) {
    {
        auto connection = Open(file());
        connection->execute("INSERT INTO TbNumero (Numero, Ok, Ativo, Sorte) VALUES (7, 0, 1, 1)");
        connection->execute("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo, Sorte) VALUES "
                            "('Ana', 'wwww', 0, 1, 1), ('Bia', 'wwww', 0, 1, 2), "
                            "('Caio', 'wwww', 0, 1, 3), ('Duda', 'wwww', 0, 1, 4)");
        AddPrize(*connection, NamePool(), "Bicicleta", 2);
        AddPrize(*connection, NamePool(), "Cesta; \"Natal\"", 1);
    }
    const Outcome text = run({"winners"});
    EXPECT_EQ(text.exitCode, 0) << text.err.toStdString();
    // Duda, beyond the plan, has no prize to name.
    EXPECT_EQ(text.out, "numeros: 1 winner\nSorte  Numero\n    1  7\n\n"
                        "nomes: 4 winners\n"
                        "Sorte  Nome  Prêmio\n"
                        "    4  Duda\n"
                        "    3  Caio  Cesta; \"Natal\"\n"
                        "    2  Bia   Bicicleta\n"
                        "    1  Ana   Bicicleta\n"
                        "\n"
                        "fotos: no winners\n\n");
    EXPECT_EQ(run({"winners", "--csv"}).bytes, "\xEF\xBB\xBFPool,Sorte,Entry,Prêmio\r\n"
                                               "numeros,1,7,\r\n"
                                               "nomes,4,Duda,\r\n"
                                               "nomes,3,Caio,\"Cesta; \"\"Natal\"\"\"\r\n"
                                               "nomes,2,Bia,Bicicleta\r\n"
                                               "nomes,1,Ana,Bicicleta\r\n");
    EXPECT_EQ(run({"winners", "--csv", "--pool", "numeros"}).bytes,
              "\xEF\xBB\xBFSorte,Numero\r\n1,7\r\n");
    EXPECT_EQ(run({"winners", "--csv", "--pool", "nomes", "--sep", ";"}).bytes,
              "\xEF\xBB\xBFSorte;Nome;Prêmio\r\n"
              "4;Duda;\r\n"
              "3;Caio;\"Cesta; \"\"Natal\"\"\"\r\n"
              "2;Bia;Bicicleta\r\n"
              "1;Ana;Bicicleta\r\n");
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
