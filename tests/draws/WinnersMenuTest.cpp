// The right-click menu on the draw screens' winners lists: the winners as a
// workbook or CSV and the day's minutes, through the save dialog, never during a draw.
#include "draws/VantaFoto.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "platform/Documents.h"
#include "platform/XlsxFile.h"
#include "store/SqlStatement.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "support/Workbooks.h"
#include "widgets/DataGrid.h"
#include "widgets/PictureBox.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void RightClick(QWidget* list) {
    emit list->customContextMenuRequested(QPoint(5, 5));
}

TEST(WinnersMenu, ExportsTheScreensWinnersAndSavesTheMinutesButNotWhileADrawRuns) {
    test::TempDatabase db;
    test::AddNumbers(db, {{7, "aaaa"}});
    db.exec("INSERT INTO TbNumero (Numero, Ok, Ativo, Sorte) VALUES (-3, 0, 1, 1)");
    TestServices fake;
    TFVantaNumero w(nullptr, fake.context(db.connection()));
    std::vector<bool> enabledDuringDraw;
    fake.pause.during = [&](const Frame&) {
        RightClick(w.DBGrid1);
        enabledDuringDraw.push_back(w.ExportWinners->isEnabled() || w.SaveMinutes->isEnabled());
        w.WinnersMenu->hide();
    };
    QTest::mouseClick(w.Button5, Qt::LeftButton); // 7 is drawn second
    fake.pause.during = nullptr;
    ASSERT_FALSE(enabledDuringDraw.empty());
    EXPECT_EQ(enabledDuringDraw, std::vector<bool>(enabledDuringDraw.size(), false));

    RightClick(w.DBGrid1);
    EXPECT_TRUE(w.WinnersMenu->isVisible());
    EXPECT_TRUE(w.ExportWinners->isEnabled());
    EXPECT_EQ(w.ExportWinners->text(), "Exportar premiados...");
    EXPECT_EQ(w.SaveMinutes->text(), "Salvar ata...");
    w.WinnersMenu->hide();

    // A workbook first: the place a number, the entry text, the pool's name
    // on the sheet, read back by the program's own reader.
    const QString xlsx = db.folder() + "/premiados.xlsx";
    fake.dialogs.answerPath(xlsx);
    w.ExportWinners->trigger();
    EXPECT_EQ(ParseXlsx(Read(xlsx)).rows(),
              (QList<QStringList>{{"Sorte", "Numero"}, {"2", "7"}, {"1", "-3"}}));
    const QByteArray sheet = test::ZipPart(Read(xlsx), "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(sheet.contains("<c r=\"A2\"><v>2</v></c>")) << sheet.toStdString();
    EXPECT_TRUE(sheet.contains("<c r=\"B2\" t=\"s\">")) << sheet.toStdString();
    EXPECT_TRUE(test::ZipPart(Read(xlsx), "xl/workbook.xml").contains("name=\"numeros\""));
    // A CSV for a spreadsheet in Portuguese: fields parted by semicolons.
    const QString csv = db.folder() + "/premiados.csv";
    fake.dialogs.answerPath(csv);
    w.ExportWinners->trigger();
    EXPECT_EQ(Read(csv), "\xEF\xBB\xBFSorte;Numero\r\n2;7\r\n1;-3\r\n");
    const QString pdf = db.folder() + "/ata.pdf";
    fake.dialogs.answerPath(pdf);
    w.SaveMinutes->trigger();
    EXPECT_TRUE(Read(pdf).startsWith("%PDF-"));
    fake.dialogs.answerCancel();
    w.SaveMinutes->trigger();

    // The dialogs open in the documents folder, and each file saved is
    // confirmed with its path.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString folder = QFileInfo(documents).isDir() ? documents : QDir::homePath();
    ASSERT_EQ(fake.dialogs.asked().size(), 7);
    EXPECT_EQ(fake.dialogs.asked()[0].kind, DialogKind::SaveFile);
    EXPECT_EQ(fake.dialogs.asked()[0].caption, "Exportar premiados");
    EXPECT_EQ(fake.dialogs.asked()[0].text, "Pasta de trabalho do Excel|*.xlsx|Planilha CSV|*.csv");
    EXPECT_EQ(fake.dialogs.asked()[0].start, folder + "/premiados-numeros.xlsx");
    EXPECT_EQ(fake.dialogs.asked()[4].caption, "Salvar ata");
    EXPECT_EQ(fake.dialogs.asked()[4].start, folder + "/ata-2024-02-01.pdf");
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Information),
              QStringList({"Arquivo salvo em " + xlsx, "Arquivo salvo em " + csv,
                           "Arquivo salvo em " + pdf}));
}

// A workbook never runs a text as a formula, so a name like one is written
// as it is, with no apostrophe; a character that would drive a terminal is
// written as its code, as in the CSV.
TEST(WinnersMenu, TheWorkbookKeepsTextsAsTextsAndShowsHiddenCharactersAsCodes) {
    test::TempDatabase db;
    SqlStatement& insert = db.connection().statement(
        "INSERT INTO TbNome (Nome, Ordem, Ok, Ativo, Sorte) VALUES (?, 'wwww', 0, 1, ?)");
    const std::pair<QString, int> winners[] = {
        {"=HYPERLINK(\"http://x\")", 1}, {"Ana\x1B[2J", 2}, {"Zoë \"Zê\"; Ñandú", 3}};
    for (const auto& [name, place] : winners) {
        insert.bind(1, name);
        insert.bind(2, std::int64_t(place));
        while (insert.step()) {
        }
        insert.reset();
    }
    TestServices fake;
    TFVantaNome w(nullptr, fake.context(db.connection()));
    const QString xlsx = db.folder() + "/nomes.xlsx";
    fake.dialogs.answerPath(xlsx);
    w.ExportWinners->trigger();
    EXPECT_EQ(ParseXlsx(Read(xlsx)).rows(),
              (QList<QStringList>{{"Sorte", "Nome"},
                                  {"3", "Zoë \"Zê\"; Ñandú"},
                                  {"2", "Ana\\x1B[2J"},
                                  {"1", "=HYPERLINK(\"http://x\")"}}));
    EXPECT_TRUE(test::ZipPart(Read(xlsx), "xl/workbook.xml").contains("name=\"nomes\""));
}

// With a prize plan each winner's prize is a last column, blank beyond the
// plan, in the workbook and in the CSV alike.
TEST(WinnersMenu, ExportsNameEachWinnersPrizeWhenThePoolHasAPlan) {
    test::TempDatabase db;
    db.exec("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo, Sorte) VALUES ('Ana', 'wwww', 0, 1, 1), "
            "('Bia', 'wwww', 0, 1, 2), ('Caio', 'wwww', 0, 1, 3)");
    AddPrize(db.connection(), NamePool(), "Bicicleta; aro 26", 2);
    TestServices fake;
    TFVantaNome w(nullptr, fake.context(db.connection()));
    const QString xlsx = db.folder() + "/nomes.xlsx";
    fake.dialogs.answerPath(xlsx);
    w.ExportWinners->trigger();
    EXPECT_EQ(ParseXlsx(Read(xlsx)).rows(),
              (QList<QStringList>{{"Sorte", "Nome", "Prêmio"},
                                  {"3", "Caio"},
                                  {"2", "Bia", "Bicicleta; aro 26"},
                                  {"1", "Ana", "Bicicleta; aro 26"}}));
    const QString csv = db.folder() + "/nomes.csv";
    fake.dialogs.answerPath(csv);
    w.ExportWinners->trigger();
    EXPECT_EQ(Read(csv), QByteArray("\xEF\xBB\xBF"
                                    "Sorte;Nome;Prêmio\r\n3;Caio;\r\n"
                                    "2;Bia;\"Bicicleta; aro 26\"\r\n"
                                    "1;Ana;\"Bicicleta; aro 26\"\r\n"));
}

// The documents folder of a new account is not there until a desktop makes
// it: the dialogs open at home then.
TEST(WinnersMenu, SaveDialogsOpenInTheDocumentsFolderOrAtHome) {
    QTemporaryDir home;
    const std::pair<const char*, QByteArray> saved[] = {
        {"HOME", qgetenv("HOME")}, {"XDG_CONFIG_HOME", qgetenv("XDG_CONFIG_HOME")}};
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.filePath(".config")));
    EXPECT_EQ(InDocuments("ata.pdf"), home.filePath("ata.pdf"));
    ASSERT_TRUE(QDir(home.path()).mkpath("Documents"));
    EXPECT_EQ(InDocuments("ata.pdf"), home.filePath("Documents/ata.pdf"));
    for (const auto& [name, value] : saved) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
}

// The save dialog offers any name, the database's own included; the
// program's file and the engine's files beside it stay as they are.
TEST(WinnersMenu, NeitherTheListNorTheMinutesAreWrittenOverTheDatabase) {
    test::TempDatabase db;
    test::AddNumbers(db, {{7, "aaaa"}, {8, "bbbb"}});
    TestServices fake;
    TFVantaNumero w(nullptr, fake.context(db.connection()));
    QTest::mouseClick(w.Button5, Qt::LeftButton);
    ASSERT_TRUE(QFileInfo::exists(db.path() + "-wal"));
    const QList<QByteArray> before = {Read(db.path()), Read(db.path() + "-wal"),
                                      Read(db.path() + "-shm")};
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath("ata.pdf");
    ASSERT_TRUE(QFile::link(db.path(), link));

    for (const QString& path : {db.path(), link, db.path() + "-wal", db.path() + "-shm"}) {
        fake.dialogs.answerPath(path);
        w.ExportWinners->trigger();
        fake.dialogs.answerPath(path);
        w.SaveMinutes->trigger();
    }
    const QString itself =
        "O arquivo de saída não pode ser o próprio banco de dados: escolha outro nome.";
    const QString working = "O arquivo de saída não pode ser um arquivo de trabalho do banco de "
                            "dados: escolha outro nome.";
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({itself, itself, itself, itself, working, working, working, working}));
    EXPECT_EQ(
        (QList<QByteArray>{Read(db.path()), Read(db.path() + "-wal"), Read(db.path() + "-shm")}),
        before);
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    // The screen draws on, and the next export goes where it was asked to.
    fake.dialogs.clear();
    QTest::mouseClick(w.Button5, Qt::LeftButton);
    const QString csv = db.folder() + "/premiados.csv";
    fake.dialogs.answerPath(csv);
    w.ExportWinners->trigger();
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error), QStringList());
    EXPECT_EQ(Read(csv).count("\r\n"), 3);
}

TEST(WinnersMenu, ThePhotoScreenOffersItOnItsColumnOfWinners) {
    test::TempDatabase db;
    TestServices fake;
    TFVantaFoto w(nullptr, fake.context(db.connection()));
    for (PictureBox* photo : {w.Img1, w.Img6}) {
        RightClick(photo);
        EXPECT_TRUE(w.WinnersMenu->isVisible());
        w.WinnersMenu->hide();
    }
    const QString csv = db.folder() + "/fotos.csv";
    fake.dialogs.answerPath(csv);
    w.ExportWinners->trigger();
    EXPECT_EQ(Read(csv), "\xEF\xBB\xBFSorte;Foto\r\n");
}

} // namespace
} // namespace tiravo
