// `tiravo-db prizes` and the prize plans in a dump and in the record's check,
// on real files, as the operator runs the tool.
#include "ToolRun.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class PrizesToolTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(run({"create"}).exitCode, 0); }
    static void Write(const QString& path, const QByteArray& bytes) {
        QFile out(path);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    }
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

// Prize lists come from spreadsheets: the separator, the quotes and the
// code of the file are found from it, and the whole plan is replaced at once.
TEST_F(PrizesToolTest, ImportReplacesAPoolsPlanFromACsvFile) {
    {
        auto connection = Open(file());
        AddPrize(*connection, NamePool(), "Velho", 5);
        AddPrize(*connection, PhotoPool(), "Carro", 1);
    }
    // Windows-1252, as an older spreadsheet saves it, and the comma.
    const QString csv = dir_.filePath("prêmios.csv");
    Write(csv, "Pr\xEAmio,Quantidade\r\n"
               "Bicicleta,3\r\n"
               "\"Cesta, \"\"grande\"\"\", 10 \r\n"
               ",\r\n"
               "Televis\xE3o,1\r\n");
    const Outcome imported = run({"prizes", "--pool", "nomes", "--import", csv});
    EXPECT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.out, "Imported 3 prizes into the prize plan of nomes.\n"
                            "nomes: 3 prizes, 14 places\n"
                            "Places  Quantity  Prize\n"
                            "1-3            3  Bicicleta\n"
                            "4-13          10  Cesta, \"grande\"\n"
                            "14             1  Televisão\n"
                            "\n");
    // The other pools keep theirs, and the replacement is one record row
    // that keeps the record whole.
    EXPECT_TRUE(run({"prizes", "--pool", "fotos"}).out.contains("1              1  Carro\n"));
    const QString record = run({"record", "--pool", "nomes"}).out;
    EXPECT_TRUE(record.contains("importado: 3 prêmios, 14 lugares (antes: 1 prêmios)"))
        << record.toStdString();
    EXPECT_TRUE(run({"verify"}).out.startsWith("ok: 3 rows"));
}

TEST_F(PrizesToolTest, ImportRefusesABadLineByItsNumberAndChangesNothing) {
    {
        auto connection = Open(file());
        AddPrize(*connection, NamePool(), "Bicicleta", 2);
    }
    const QString before = run({"dump"}).out;
    const QString csv = dir_.filePath("premios.csv");
    // An empty line still counts, as the operator's editor numbers them.
    const std::pair<QByteArray, QString> bad[] = {
        {"Descrição;Quantidade\n\nBola;1\nTV;x\n",
         "line 4 is no prize: the quantity \"x\" is not a number from 1 to 9999"},
        {"Descrição;Quantidade\nBola;10000\n", "line 2 is no prize: the quantity"},
        {"Descrição;Quantidade\nBola;0\n", "line 2 is no prize: the quantity"},
        {"Descrição;Quantidade\nBola;-1\n", "line 2 is no prize: the quantity"},
        {"Descrição;Quantidade\nBola;\n", "line 2 is no prize: the quantity is missing"},
        {"Descrição;Quantidade\nBola;1\n;3\n", "line 3 is no prize: the prize has no description"},
        {"Descrição;Quantidade\n\"Bola\nGrande\";1\nTV;1\n",
         "line 2 is no prize: the description holds control characters"},
        {"Descrição;Quantidade\nBola;1\nTV;1;Extra\nRádio;1\n",
         "line 3 is no prize: it has more than two"},
        {"Descrição;Quantidade\n" + QByteArray(61, 'a') + ";1\n",
         "line 2 is no prize: the description is longer than 60 characters"},
        {"Descrição;Quantidade\n", "there is no prize after the header line"},
    };
    for (const auto& [bytes, message] : bad) {
        Write(csv, bytes);
        const Outcome refused = run({"prizes", "--pool", "nomes", "--import", csv});
        EXPECT_EQ(refused.exitCode, 1) << bytes.toStdString();
        EXPECT_TRUE(refused.err.contains(message))
            << refused.err.toStdString() << " for " << bytes.toStdString();
        EXPECT_TRUE(refused.err.contains(csv)) << refused.err.toStdString();
    }
    const Outcome missing = run({"prizes", "--pool", "nomes", "--import", dir_.filePath("no.csv")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(run({"dump"}).out, before);

    // One pool at a time.
    Write(csv, "Descrição;Quantidade\nBola;1\n");
    EXPECT_EQ(run({"prizes", "--import", csv}).exitCode, 2);
    EXPECT_EQ(run({"winners", "--pool", "nomes", "--import", csv}).exitCode, 2);
    EXPECT_EQ(run({"dump"}).out, before);
}

TEST_F(PrizesToolTest, TakesOnlyThePoolOption) {
    for (const QStringList& arguments :
         {QStringList{"prizes", "--csv"}, QStringList{"prizes", "--pool", "premios"},
          QStringList{"prizes", "--date", "2026-12-09"}, QStringList{"prizes", "--import"}}) {
        const Outcome refused = run(arguments);
        EXPECT_EQ(refused.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(refused.out.isEmpty());
    }
    EXPECT_TRUE(RunTool({"--help"}).out.contains("prizes [--pool numeros|nomes|fotos]"));
}

} // namespace
} // namespace tiravo
