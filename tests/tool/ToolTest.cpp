// Runs the built database tool as the scripts and the operator do, on real
// files in a temporary folder, and reads the results back through the store.

#include "ToolRun.h"
#include "store/Connection.h"
#include "store/ConnectionText.h"
#include "store/DatabaseFile.h"
#include "store/DatabasePassword.h"
#include "store/TableView.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace tiravo {
namespace {

// One table's block of a dump: from its name to the empty line after it.
QString Block(const QString& dump, const QString& table) {
    const qsizetype start = dump.indexOf(table + "\n");
    if (start < 0)
        return {};
    return dump.mid(start, dump.indexOf("\n\n", start) + 2 - start);
}

const QString kEmptyDump = "TbNumero\nCod\tNumero\tOrdem\tOk\tAtivo\tSorte\n\n"
                           "TbNome\nCod\tNome\tOrdem\tOk\tAtivo\tCdLista\tSorte\n\n"
                           "TbFoto\nCod\tFoto\tOrdem\tOk\tAtivo\tSorte\n\n"
                           "TbImage\nCod\tLogo1\tLogo2\tLogo3\tTelaFundo\n\n"
                           "Usuario\nCod\tNome\tSenha\n\n"
                           "TbRegistro\nCod\tSequencia\tMomento\tFuso\tOperador\tLista\tAcao\t"
                           "Item\tEntrada\tSorte\tDisponiveis\tQuantidade\tImpressao\t"
                           "HashAnterior\tHash\n\n";

class ToolTest : public testing::Test {
protected:
    QString file() const { return dir_.filePath("Zodizi.db"); }
    Outcome run(QStringList arguments) { return RunTool(arguments << "--file" << file()); }
    QString dump() {
        const Outcome dumped = run({"dump"});
        EXPECT_EQ(dumped.exitCode, 0) << dumped.err.toStdString();
        return dumped.out;
    }

    QTemporaryDir dir_;
};

TEST_F(ToolTest, CreateMakesTheFolderAndFiveEmptyTables) {
    const QString nested = dir_.filePath("a/b/Zodizi.db");
    const Outcome created = RunTool({"create", "--file", nested});
    ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();

    const Outcome dumped = RunTool({"dump", "--file", nested});
    EXPECT_EQ(dumped.exitCode, 0);
    EXPECT_EQ(dumped.out, kEmptyDump);
    EXPECT_EQ(RunTool({"check", "--file", nested}).out, "ok\n");
    // The move of the finished file leaves nothing of the building behind.
    EXPECT_EQ(QDir(dir_.filePath("a/b")).entryList(QDir::Files), QStringList{"Zodizi.db"});
}

TEST_F(ToolTest, WithoutFileTheProgramsOwnPathIsUsed) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dir_.filePath("data"));
    const Outcome created = RunTool({"create"}, environment);
    ASSERT_EQ(created.exitCode, 0) << created.err.toStdString();
    EXPECT_TRUE(QFileInfo(dir_.filePath("data/Korvane/Tiravo/Zodizi.db")).isFile());
    EXPECT_EQ(RunTool({"dump"}, environment).out, kEmptyDump);
}

TEST_F(ToolTest, CreateWithAnOperatorStoresExactlyThatOperator) {
    // A password with the connection text's own separators and a leading "--".
    ASSERT_EQ(run({"create", "--operator", "José Conceição", "--password", "--s;nh=a"}).exitCode,
              0);
    EXPECT_EQ(Block(dump(), "Usuario"),
              "Usuario\nCod\tNome\tSenha\n1\tJosé Conceição\t--s;nh=a\n\n");

    ASSERT_EQ(run({"create", "--force", "--operator=chefe", "--password="}).exitCode, 0);
    EXPECT_EQ(Block(dump(), "Usuario"), "Usuario\nCod\tNome\tSenha\n1\tchefe\t\n\n");
}

TEST_F(ToolTest, AnExistingFileIsKeptWithoutForceAndReplacedWithIt) {
    ASSERT_EQ(run({"create", "--operator", "antigo", "--password", "x"}).exitCode, 0);
    const QString before = dump();

    for (const QString command : {"create", "demo"}) {
        const Outcome refused = run({command});
        EXPECT_EQ(refused.exitCode, 1) << command.toStdString();
        EXPECT_TRUE(refused.err.contains("exists already")) << refused.err.toStdString();
    }
    EXPECT_EQ(dump(), before);
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath("demo"))) << "the refused demo drew pictures";

    ASSERT_EQ(run({"create", "--force"}).exitCode, 0);
    EXPECT_EQ(dump(), kEmptyDump);
    ASSERT_EQ(run({"demo", "--force"}).exitCode, 0);
    EXPECT_TRUE(Block(dump(), "Usuario").contains("\tdemo\tdemo\n"));
}

TEST_F(ToolTest, BuildersStartedTogetherMakeOneWholeFileAndTheOthersSaySo) {
    for (int round = 0; round < 3; ++round) {
        QTemporaryDir folder;
        const QString path = folder.filePath("Zodizi.db");
        std::vector<std::unique_ptr<QProcess>> builders;
        for (int i = 0; i < 6; ++i) {
            const QStringList arguments =
                i % 2
                    ? QStringList{"demo", "--file", path}
                    : QStringList{"create", "--operator", QString("op%1").arg(i), "--password", "x",
                                  "--file", path};
            auto& builder = builders.emplace_back(std::make_unique<QProcess>());
            builder->start(QCoreApplication::applicationDirPath() + "/../tools/tiravo-db",
                           arguments);
        }
        int made = 0;
        for (auto& builder : builders) {
            ASSERT_TRUE(builder->waitForFinished(60000));
            const QString err = QString::fromUtf8(builder->readAllStandardError());
            if (builder->exitCode() == 0)
                ++made;
            else
                EXPECT_TRUE(err.contains("exists already")) << err.toStdString();
        }
        EXPECT_EQ(made, 1);
        EXPECT_EQ(RunTool({"check", "--file", path}).out, "ok\n");
        const QString users = Block(RunTool({"dump", "--file", path}).out, "Usuario");
        EXPECT_EQ(users.count('\n'), 4) << users.toStdString(); // name, header, one row, end
        // Nothing of the others' building is left beside it.
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"Zodizi.db"});
    }
}

TEST_F(ToolTest, ForceNeverReplacesAFileThatAProgramHasOpen) {
    ASSERT_EQ(run({"create", "--operator", "antigo", "--password", "x"}).exitCode, 0);
    {
        // A program idle at its main window, with a row it has written to
        // the log and not yet to the file: replacing the file would lose it.
        auto program = Open(file());
        program->execute("INSERT INTO Usuario (Nome, Senha) VALUES ('novo', 'y')");
        ASSERT_TRUE(QFileInfo::exists(file() + "-wal"));
        for (const QString command : {"create", "demo"}) {
            const Outcome refused = run({command, "--force"});
            EXPECT_EQ(refused.exitCode, 1) << command.toStdString();
            EXPECT_TRUE(refused.err.contains("is open in another program"))
                << refused.err.toStdString();
        }
        EXPECT_TRUE(QFileInfo::exists(file() + "-wal"));
        EXPECT_FALSE(QFileInfo::exists(dir_.filePath("demo"))) << "the refused demo drew pictures";
    }
    EXPECT_EQ(Block(dump(), "Usuario"), "Usuario\nCod\tNome\tSenha\n1\tantigo\tx\n2\tnovo\ty\n\n");

    // Once the program has closed it, the file may be replaced.
    ASSERT_EQ(run({"create", "--force"}).exitCode, 0);
    EXPECT_EQ(dump(), kEmptyDump);
}

TEST_F(ToolTest, DemoFillsEveryPoolWithAvailableEntries) {
    const Outcome made = run({"demo"});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    auto connection = Open(file());
    const QRegularExpression key("^[a-z]{4}$");

    TableView numbers(*connection, ViewSpec{"TbNumero", {}, {}, {}, {}, {}});
    numbers.open();
    QSet<qint64> seen;
    for (numbers.first(); !numbers.eof(); numbers.next()) {
        seen << numbers.field("Numero").asInteger();
        EXPECT_TRUE(key.match(numbers.field("Ordem").asString()).hasMatch());
        EXPECT_EQ(numbers.field("Ok").value(), Value(true));
        EXPECT_EQ(numbers.field("Ativo").value(), Value(false));
        EXPECT_TRUE(numbers.field("Sorte").isNull());
    }
    EXPECT_EQ(numbers.recordCount(), 90);
    EXPECT_EQ(seen.size(), 90);
    EXPECT_TRUE(seen.contains(1) && seen.contains(90));

    TableView names(*connection, ViewSpec{"TbNome", {}, {}, {}, {}, {}});
    names.open();
    QSet<QString> distinct;
    bool accented = false;
    for (names.first(); !names.eof(); names.next()) {
        const QString name = names.field("Nome").asString();
        distinct << name;
        accented = accented || name.toLatin1() != name.toUtf8();
        EXPECT_TRUE(key.match(names.field("Ordem").asString()).hasMatch());
        EXPECT_EQ(names.field("Ok").value(), Value(true));
        EXPECT_EQ(names.field("Ativo").value(), Value(true));
    }
    EXPECT_GE(names.recordCount(), 24);
    EXPECT_EQ(distinct.size(), names.recordCount());
    EXPECT_TRUE(accented);

    TableView users(*connection, ViewSpec{"Usuario", {}, {}, {}, {}, {}});
    users.open();
    ASSERT_EQ(users.recordCount(), 1);
    EXPECT_EQ(users.field("Nome").asString(), "demo");
    EXPECT_EQ(users.field("Senha").asString(), "demo");
}

TEST_F(ToolTest, DemoPhotosAndLogosArePicturesBesideTheFile) {
    ASSERT_EQ(run({"demo"}).exitCode, 0);
    auto connection = Open(file());

    TableView photos(*connection, ViewSpec{"TbFoto", {}, {}, {}, {}, {}});
    photos.open();
    EXPECT_EQ(photos.recordCount(), 12);
    std::vector<QImage> thumbnails;
    for (photos.first(); !photos.eof(); photos.next()) {
        const QString path = photos.field("Foto").asString();
        EXPECT_TRUE(path.startsWith(dir_.path() + "/demo/")) << path.toStdString();
        QImage photo(path);
        ASSERT_FALSE(photo.isNull()) << path.toStdString();
        EXPECT_EQ(photo.size(), QSize(800, 600));
        EXPECT_EQ(photos.field("Ok").value(), Value(true));
        EXPECT_EQ(photos.field("Ativo").value(), Value(true));
        EXPECT_EQ(photos.field("Ordem").asString().size(), 4);
        thumbnails.push_back(photo.scaled(16, 12).convertToFormat(QImage::Format_RGB32));
    }
    for (std::size_t a = 0; a < thumbnails.size(); ++a)
        for (std::size_t b = a + 1; b < thumbnails.size(); ++b)
            EXPECT_NE(thumbnails[a], thumbnails[b]) << "photos " << a << " and " << b;

    TableView image(*connection, ViewSpec{"TbImage", {}, {}, {}, {}, {}});
    image.open();
    ASSERT_EQ(image.recordCount(), 1);
    QSet<QString> logos;
    for (const char* column : {"Logo1", "Logo2", "Logo3"}) {
        const QString path = image.field(column).asString();
        logos << path;
        EXPECT_FALSE(QImage(path, "PNG").isNull()) << column << ": " << path.toStdString();
    }
    EXPECT_EQ(logos.size(), 3);
    EXPECT_EQ(image.field("TelaFundo").value(), Value(QString()));
}

TEST_F(ToolTest, DemoIfMissingMakesTheFileOnlyWhenItIsNotThere) {
    ASSERT_EQ(run({"create", "--operator", "meu", "--password", "x"}).exitCode, 0);
    const QString before = dump();
    const Outcome kept = run({"demo", "--if-missing"});
    EXPECT_EQ(kept.exitCode, 0);
    EXPECT_EQ(kept.out.count('\n'), 1);
    EXPECT_TRUE(kept.out.contains("there already"));
    EXPECT_EQ(dump(), before);
    EXPECT_FALSE(QFileInfo::exists(dir_.filePath("demo")));

    ASSERT_TRUE(QFile::remove(file()));
    ASSERT_EQ(run({"demo", "--if-missing"}).exitCode, 0);
    EXPECT_TRUE(Block(dump(), "Usuario").contains("\tdemo\tdemo\n"));
}

TEST_F(ToolTest, DemoRefusesAFolderWhosePicturePathsTheDatabaseWouldCut) {
    QString deep = dir_.path();
    while (deep.size() < 200)
        deep += "/pasta-com-um-nome-bem-comprido";
    const QString path = deep + "/Zodizi.db";
    const Outcome refused = RunTool({"demo", "--file", path});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("200 characters")) << refused.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_FALSE(QFileInfo::exists(deep + "/demo"));
}

TEST_F(ToolTest, DumpEscapesTextSoThatItCanBeUndone) {
    ASSERT_EQ(run({"create"}).exitCode, 0);
    {
        auto connection = Open(file());
        TableView names(*connection, ViewSpec{"TbNome", {}, {}, {}, {}, {}});
        names.open();
        for (const QString& name : {QString("a\tb"), QString("um\ndois\r"), QString("C:\\fotos\\n"),
                                    QString("NULL"), QString(), QString("Conceição")}) {
            names.insert();
            names.field("Nome").setAsString(name);
            names.field("Ok").setAsString("T");
            names.post();
        }
    }
    EXPECT_EQ(Block(dump(), "TbNome"), "TbNome\n"
                                       "Cod\tNome\tOrdem\tOk\tAtivo\tCdLista\tSorte\n"
                                       "1\ta\\tb\tNULL\tTrue\tNULL\tNULL\tNULL\n"
                                       "2\tum\\ndois\\r\tNULL\tTrue\tNULL\tNULL\tNULL\n"
                                       "3\tC:\\\\fotos\\\\n\tNULL\tTrue\tNULL\tNULL\tNULL\n"
                                       "4\t\\NULL\tNULL\tTrue\tNULL\tNULL\tNULL\n"
                                       "5\t\tNULL\tTrue\tNULL\tNULL\tNULL\n"
                                       "6\tConceição\tNULL\tTrue\tNULL\tNULL\tNULL\n\n");
}

TEST_F(ToolTest, CheckPassesOnlyOnASoundFile) {
    ASSERT_EQ(run({"demo"}).exitCode, 0);
    const Outcome sound = run({"check"});
    EXPECT_EQ(sound.exitCode, 0);
    EXPECT_EQ(sound.out, "ok\n");

    QFile damaged(file());
    ASSERT_TRUE(damaged.open(QIODevice::ReadWrite));
    ASSERT_TRUE(damaged.seek(damaged.size() / 2));
    damaged.write(QByteArray(64, '\xA5'));
    damaged.close();
    const Outcome failed = run({"check"});
    EXPECT_EQ(failed.status, QProcess::NormalExit);
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_FALSE(failed.err.isEmpty());
}

TEST_F(ToolTest, FilesTheProgramCannotOpenFailWithTheStoresMessage) {
    const Outcome missing = run({"dump"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("Could not find file")) << missing.err.toStdString();

    {
        Connection other;
        CreateDatabaseFile(other, file(), "another password");
    }
    const Outcome wrongKey = run({"check"});
    EXPECT_EQ(wrongKey.exitCode, 1);
    EXPECT_TRUE(wrongKey.err.contains("Not a valid password")) << wrongKey.err.toStdString();

    QFile text(file());
    ASSERT_TRUE(text.open(QIODevice::WriteOnly | QIODevice::Truncate));
    text.write(QByteArray("Ana Beatriz Souza\nJoão Pedro Almeida\n").repeated(200));
    text.close();
    for (const QString command : {"check", "dump"}) {
        const Outcome notADatabase = run({command});
        EXPECT_EQ(notADatabase.status, QProcess::NormalExit);
        EXPECT_EQ(notADatabase.exitCode, 1) << command.toStdString();
        EXPECT_TRUE(notADatabase.err.contains("not a database file"))
            << notADatabase.err.toStdString();
    }
}

TEST_F(ToolTest, HelpPrintsTheUsage) {
    for (const QStringList& arguments : {QStringList{"--help"}, QStringList{"dump", "-h"}}) {
        const Outcome help = RunTool(arguments);
        EXPECT_EQ(help.exitCode, 0);
        for (const char* word :
             {"Usage: tiravo-db", "create", "demo", "dump", "check", "winners", "--csv"})
            EXPECT_TRUE(help.out.contains(word)) << word;
    }
}

// Rows put straight into a pool in the states the draw screens leave them in:
// "T"/"F"/"" as the windows write the flags, the place as text.
struct PoolRow {
    QString entry;
    QString ok;
    QString ativo;
    QString sorte;
};

void AddRows(const QString& path, const QString& table, const QString& entryColumn,
             const std::vector<PoolRow>& rows) {
    auto connection = Open(path);
    TableView view(*connection, ViewSpec{table, {}, {}, {}, {}, {}});
    view.open();
    for (const PoolRow& row : rows) {
        view.insert();
        view.field(entryColumn).setAsString(row.entry);
        view.field("Ok").setAsString(row.ok);
        view.field("Ativo").setAsString(row.ativo);
        view.field("Sorte").setAsString(row.sorte);
        view.post();
    }
}

class WinnersTest : public ToolTest {
protected:
    void SetUp() override {
        ASSERT_EQ(run({"create"}).exitCode, 0);
        // Only drawn rows count: available, taken out, cleared and free rows
        // stay out whatever their place says.
        AddRows(file(), "TbNumero", "Numero",
                {{"17", "F", "T", "1"},
                 {"5", "T", "T", "9"},
                 {"88", "F", "T", "3"},
                 {"40", "F", "F", "2"},
                 {"7", "F", "T", "2"},
                 {"61", "F", "", "4"}});
        AddRows(file(), "TbNome", "Nome",
                {{"Conceição, Maria", "F", "T", "2"},
                 {"João \"Joca\" Souza", "F", "T", "1"},
                 {"Ana\nSegunda Linha", "F", "T", "3"},
                 {"Sem Lugar", "F", "T", ""},
                 {"12", "", "F", ""},
                 {"Disponível", "T", "T", ""}});
    }

    Outcome winners(QStringList arguments) {
        const Outcome listed = run(QStringList{"winners"} + arguments);
        EXPECT_EQ(listed.exitCode, 0) << listed.err.toStdString();
        EXPECT_TRUE(listed.err.isEmpty()) << listed.err.toStdString();
        return listed;
    }
};

TEST_F(WinnersTest, TextListsEveryPoolHeadedWithTheHighestPlaceFirst) {
    // A name drawn without a place has none to show and comes last, where the
    // draw screens' order puts it.
    EXPECT_EQ(winners({}).out, "numeros: 3 winners\n"
                               "Sorte  Numero\n"
                               "    3  88\n"
                               "    2  7\n"
                               "    1  17\n"
                               "\n"
                               "nomes: 4 winners\n"
                               "Sorte  Nome\n"
                               "    3  Ana\\nSegunda Linha\n"
                               "    2  Conceição, Maria\n"
                               "    1  João \"Joca\" Souza\n"
                               "       Sem Lugar\n"
                               "\n"
                               "fotos: no winners\n"
                               "\n");
    EXPECT_EQ(winners({"--pool", "numeros"}).out,
              "numeros: 3 winners\nSorte  Numero\n    3  88\n    2  7\n    1  17\n\n");
}

TEST_F(WinnersTest, CsvIsOneTableWithAHeaderLine) {
    const QByteArray expected = "\xEF\xBB\xBF"
                                "Pool,Sorte,Entry\r\n"
                                "numeros,3,88\r\n"
                                "numeros,2,7\r\n"
                                "numeros,1,17\r\n"
                                "nomes,3,\"Ana\nSegunda Linha\"\r\n"
                                "nomes,2,\"Conceição, Maria\"\r\n"
                                "nomes,1,\"João \"\"Joca\"\" Souza\"\r\n"
                                "nomes,,Sem Lugar\r\n";
    EXPECT_EQ(winners({"--csv"}).bytes, expected);
    EXPECT_EQ(winners({"--pool=fotos", "--csv"}).bytes, "\xEF\xBB\xBFSorte,Foto\r\n");
    EXPECT_EQ(winners({"--csv", "--pool", "numeros"}).bytes,
              "\xEF\xBB\xBFSorte,Numero\r\n3,88\r\n2,7\r\n1,17\r\n");
}

// A spreadsheet in a Portuguese locale splits lines at semicolons; the comma
// in a name is then no reason to quote it, the semicolon is.
TEST_F(WinnersTest, CsvTakesTheSeparatorItIsGiven) {
    EXPECT_EQ(winners({"--pool", "nomes", "--csv", "--sep", ";"}).bytes,
              "\xEF\xBB\xBF"
              "Sorte;Nome\r\n"
              "3;\"Ana\nSegunda Linha\"\r\n"
              "2;Conceição, Maria\r\n"
              "1;\"João \"\"Joca\"\" Souza\"\r\n"
              ";Sem Lugar\r\n");
    EXPECT_EQ(winners({"--pool", "numeros", "--csv", "--sep=tab"}).bytes,
              "\xEF\xBB\xBFSorte\tNumero\r\n3\t88\r\n2\t7\r\n1\t17\r\n");
    EXPECT_EQ(winners({"--pool", "numeros", "--csv", "--sep", ","}).bytes,
              winners({"--pool", "numeros", "--csv"}).bytes);
    const Outcome record = RunTool({"--file", file(), "record", "--csv", "--sep", "|"});
    EXPECT_EQ(record.exitCode, 0);
    EXPECT_TRUE(record.bytes.startsWith("\xEF\xBB\xBFSequencia|Momento|Fuso|"))
        << record.bytes.left(60).toStdString();
}

TEST_F(WinnersTest, PhotosListTheirPathsAndTheFileIsLeftAsItWas) {
    AddRows(file(), "TbFoto", "Foto",
            {{dir_.filePath("fotos/a.jpg"), "F", "T", "1"},
             {dir_.filePath("fotos/b.jpg"), "F", "T", "2"},
             {"", "", "T", "3"}});
    const QString before = dump();
    EXPECT_EQ(winners({"--pool", "fotos"}).out,
              QString("fotos: 2 winners\nSorte  Foto\n"
                      "    2  %1\n    1  %2\n\n")
                  .arg(dir_.filePath("fotos/b.jpg"), dir_.filePath("fotos/a.jpg")));
    EXPECT_EQ(dump(), before);
}

TEST_F(ToolTest, WinnersOfAMissingFileFailWithoutMakingOne) {
    const Outcome missing = run({"winners"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.err.contains("Could not find file")) << missing.err.toStdString();
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}

class UsageErrorTest : public ToolTest, public testing::WithParamInterface<QStringList> {};

TEST_P(UsageErrorTest, ExitsWithTwoAndTouchesNothing) {
    const Outcome refused = RunTool(QStringList{"--file", file()} + GetParam());
    EXPECT_EQ(refused.exitCode, 2) << GetParam().join(' ').toStdString();
    EXPECT_TRUE(refused.err.contains("Try 'tiravo-db --help'")) << refused.err.toStdString();
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_TRUE(QDir(dir_.path()).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    CommandLines, UsageErrorTest,
    testing::Values(
        QStringList{}, QStringList{"frobnicate"}, QStringList{"create", "dump"},
        QStringList{"create", "--bogus"}, QStringList{"create", "-x"},
        QStringList{"create", "--operator", "ana"}, QStringList{"create", "--password", "x"},
        QStringList{"create", "--password", "x", "--operator"},
        QStringList{"create", "--operator", "", "--password", "x"},
        QStringList{"create", "--operator", QString(31, 'a'), "--password", "x"},
        QStringList{"create", "--operator", "ana", "--password", QString(21, 'x')},
        QStringList{"demo", "--operator", "ana", "--password", "x"},
        QStringList{"create", "--if-missing"}, QStringList{"dump", "--force"},
        QStringList{"demo", "--force", "--if-missing"}, QStringList{"create", "--force=yes"},
        QStringList{"winners", "--pool", "premios"}, QStringList{"winners", "--pool", "Numeros"},
        QStringList{"winners", "--pool"},
        QStringList{"winners", "--pool", "nomes", "--pool", "fotos"},
        QStringList{"winners", "--csv=yes"}, QStringList{"dump", "--csv"},
        QStringList{"winners", "--sep", ";"}, QStringList{"winners", "--csv", "--sep", ":"},
        QStringList{"winners", "--csv", "--sep"}, QStringList{"dump", "--csv", "--sep", ";"},
        QStringList{"create", "--pool", "nomes"}, QStringList{"check", "--file", "other.db"}));

} // namespace
} // namespace tiravo
