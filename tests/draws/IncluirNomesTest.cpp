// The name list editor driven through its controls, over a real file.
#include "draws/IncluirNomes.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/CounterPanel.h"
#include "widgets/DataEdit.h"
#include "widgets/DataGrid.h"
#include "widgets/DataNavigator.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class IncluirNomes : public testing::Test {
protected:
    std::unique_ptr<TFIncluirNomes> open() {
        auto w = std::make_unique<TFIncluirNomes>(nullptr, fake.context(db.connection()));
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    void addNames(std::initializer_list<const char*> names) {
        for (const char* name : names)
            db.exec(QStringLiteral(
                        "INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES ('%1', 'oooo', 1, 1)")
                        .arg(QString::fromUtf8(name)));
    }
    // A free slot as "Remover" leaves it: its name is its own Cod.
    void addFreeSlot(int cod) {
        db.exec(QStringLiteral(
                    "INSERT INTO TbNome (Cod, Nome, Ordem, Ok, Ativo) VALUES (%1, '%1', 'ffff', "
                    "NULL, 0)")
                    .arg(cod));
    }
    void addWinner(const char* name, int place) {
        db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo, Sorte) "
                               "VALUES ('%1', 'wwww', 0, 1, %2)")
                    .arg(QLatin1String(name))
                    .arg(place));
    }

    // Every row of the table in Cod order, as "Nome Ok Ativo Sorte Ordem".
    QStringList rows() {
        QStringList all;
        const auto column = [this](const char* name) {
            return test::ColumnOf(db.connection(), QLatin1String(name), QStringLiteral("TbNome"));
        };
        const QStringList nome = column("Nome"), ok = column("Ok"), ativo = column("Ativo"),
                          sorte = column("Sorte"), ordem = column("Ordem");
        for (qsizetype i = 0; i < nome.size(); ++i)
            all << QStringList{nome[i], ok[i], ativo[i], sorte[i], ordem[i]}.join(u' ');
        return all;
    }

    static QStringList shown(DataGrid* grid, int column = 0) {
        QStringList texts;
        for (int row = 0; row < grid->model()->rowCount(); ++row)
            texts << grid->model()->index(row, column).data().toString();
        return texts;
    }

    static QString current(TFIncluirNomes& w) { return w.TbNome.field("Nome").asString(); }

    static void include(TFIncluirNomes& w, const QString& name) {
        w.Edit1->setText(name);
        QTest::mouseClick(w.Button1, Qt::LeftButton);
    }

    QString writeFile(const QByteArray& bytes) {
        const QString path = files.filePath(QStringLiteral("nomes%1.txt").arg(++fileCount));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // "Importar" answered Yes, the file chosen.
    void import(TFIncluirNomes& w, const QString& path) {
        fake.dialogs.answerYes();
        fake.dialogs.answerPath(path);
        QTest::mouseClick(w.Button3, Qt::LeftButton);
    }

    test::TempDatabase db;
    TestServices fake;
    QTemporaryDir files;
    int fileCount = 0;
};

TEST_F(IncluirNomes, IncludeFillsFreeSlotsInTextOrderBeforeAddingRows) {
    addNames({"Bia"});
    addFreeSlot(9);
    addFreeSlot(17);
    auto w = open();
    EXPECT_EQ(QApplication::focusWidget(), w->DBGrid1);
    EXPECT_EQ(w->Panel1->text(), "1");
    EXPECT_EQ(w->Panel2->text(), "0");
    EXPECT_EQ(shown(w->DBGrid2), QStringList({"17", "9"}));

    // The include builds "aaaa"; the free slot's hook replaces it with "bbbb".
    fake.random.script({0, 0, 0, 0, 1, 1, 1, 1});
    include(*w, "Ana");
    EXPECT_EQ(fake.random.trace(), "riiiiriiii");
    EXPECT_EQ(rows(),
              QStringList({"Bia True True  oooo", "9  False  ffff", "Ana True True  bbbb"}));
    EXPECT_EQ(current(*w), "Ana");
    EXPECT_EQ(w->Edit1->text(), "");
    EXPECT_EQ(QApplication::focusWidget(), w->Edit1);
    EXPECT_EQ(w->Panel1->text(), "2");

    include(*w, "Caio");
    fake.random.script({2, 2, 2, 2});
    include(*w, "Davi"); // no free slot left: a new row keeps the include's key
    EXPECT_EQ(rows(), QStringList({"Bia True True  oooo", "Caio True True  bbbb",
                                   "Ana True True  bbbb", "Davi True True  cccc"}));
    EXPECT_EQ(shown(w->DBGrid1), QStringList({"Ana", "Bia", "Caio", "Davi"}));
    EXPECT_EQ(current(*w), "Davi");
    EXPECT_TRUE(shown(w->DBGrid2).isEmpty());
    EXPECT_EQ(w->Panel1->text(), "4");
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

TEST_F(IncluirNomes, IncludeRefusesAnEmptyOrAvailableNameButNotAWinnersName) {
    addNames({"Ana", "Bia", "Caio"});
    addWinner("Davi", 1);
    auto w = open();
    QTest::mouseClick(w->Button1, Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), w->Edit1);

    w->TbNome.first();
    w->Edit1->setFocus();
    QTest::keyClicks(w->Edit1, "Bia");
    w->TbNome.last();
    QTest::mouseClick(w->Button1, Qt::LeftButton);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Qual o nome?", "Nome já está cadastrado!"}));
    EXPECT_EQ(current(*w), "Bia");
    EXPECT_EQ(w->Edit1->text(), "Bia");
    EXPECT_EQ(w->Panel1->text(), "3");

    include(*w, "Davi");
    // Letter case counts; a name longer than the column is the name it is
    // stored as, and is found again whatever follows its first 40 characters.
    include(*w, "ana");
    const QString longName = QString("Maria").repeated(9);
    include(*w, longName);
    EXPECT_EQ(current(*w), longName.left(40));
    include(*w, longName);
    include(*w, longName.left(40) + "Outra");
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Qual o nome?", "Nome já está cadastrado!", "Nome já está cadastrado!",
                           "Nome já está cadastrado!"}));
    EXPECT_EQ(w->Edit1->text(), longName.left(40) + "Outra");
    const QStringList names = test::ColumnOf(db.connection(), "Nome", "TbNome");
    EXPECT_EQ(names.count("Davi"), 2);
    EXPECT_EQ(names.count("ana"), 1);
    EXPECT_EQ(names.count(longName.left(40)), 1);
    EXPECT_EQ(w->Panel1->text(), "6");
}

// Names that print alike are one name, and nothing invisible is stored,
// whichever way a name comes in: typed, imported or changed in place.
TEST_F(IncluirNomes, SpellingsThatPrintAlikeAreOneNameHoweverTheNameComesIn) {
    const QString joao = QString::fromUtf8("João Silva");
    const QString decomposed = QString::fromUtf8("Joa\u0303o Silva");
    const QString zeroWidth = QString::fromUtf8("Jo\u200Bão Silva\uFEFF");
    ASSERT_NE(decomposed, joao);
    addNames({"Bia"});
    auto w = open();
    include(*w, joao);
    for (const QString& spelling :
         {decomposed, zeroWidth, QString::fromUtf8("\u2066João Silva\u2069")})
        include(*w, spelling);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice), QStringList(3, "Nome já está cadastrado!"));
    EXPECT_EQ(current(*w), joao);

    // A right-to-left override made this name print as another one.
    include(*w, QString::fromUtf8("\u202Eavlis oaoj"));
    // Nothing visible is no name.
    fake.dialogs.clear();
    include(*w, QString::fromUtf8("\u200B\u200D\u2060\u200E"));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice), QStringList({"Qual o nome?"}));
    EXPECT_EQ(QApplication::focusWidget(), w->Edit1);

    // The file repeats the name in other spellings, and holds a line of
    // nothing but invisible characters and a name with a control in it.
    fake.dialogs.clear();
    import(*w, writeFile((decomposed + "\n\u200B\u200C\r\n" + zeroWidth +
                          "\n\u200B  Caio\x01\x7F Lima\n" + "Davi\tRocha\n")
                             .toUtf8()));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Information), QStringList({"Tarefa Concluida!"}));

    // A change in place is stored in the same form.
    ASSERT_TRUE(w->TbNome.locate("Nome", "Bia"));
    w->DBEdit1->setFocus();
    w->DBEdit1->selectAll();
    // Typed key by key, as an input method sends what has no key of its own.
    for (const QChar c : QString::fromUtf8("Beatri\u200Bz\u0301"))
        QTest::sendKeyEvent(QTest::Click, w->DBEdit1, Qt::Key_unknown, QString(c), Qt::NoModifier);
    w->DBNavigator1->press(NavigatorButton::Post);
    EXPECT_EQ(w->DBEdit1->text(), QString::fromUtf8("Beatriź"));

    EXPECT_EQ(
        test::ColumnOf(db.connection(), "Nome", "TbNome"),
        QStringList({QString::fromUtf8("Beatriź"), joao, "avlis oaoj", "Caio Lima", "Davi Rocha"}));
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error).isEmpty());
}

TEST_F(IncluirNomes, RemoveAsksThenLeavesAFreeSlotWithItsPlaceKept) {
    addNames({"Ana", "Bia"});
    db.exec("UPDATE TbNome SET Sorte = 7 WHERE Nome = 'Bia'");
    auto w = open();
    ASSERT_TRUE(w->TbNome.locate("Nome", "Bia"));
    QTest::mouseClick(w->Button2, Qt::LeftButton); // No
    EXPECT_EQ(rows(), QStringList({"Ana True True  oooo", "Bia True True 7 oooo"}));

    fake.dialogs.answerYes();
    QTest::mouseClick(w->Button2, Qt::LeftButton);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Confirmation),
              QStringList(2, "Tem certeza que deseja de DELETAR ESTE REGISTRO ?"));
    EXPECT_EQ(rows(), QStringList({"Ana True True  oooo", "2  False 7 oooo"}));
    EXPECT_EQ(shown(w->DBGrid1), QStringList({"Ana"}));
    EXPECT_EQ(shown(w->DBGrid2), QStringList({"2"}));
    EXPECT_EQ(w->Panel1->text(), "2"); // not recounted

    fake.dialogs.answerYes();
    QTest::mouseClick(w->Button2, Qt::LeftButton);
    fake.dialogs.answerYes();
    QTest::mouseClick(w->Button2, Qt::LeftButton); // an empty pool: nothing to remove
    EXPECT_EQ(rows(), QStringList({"1  False  oooo", "2  False 7 oooo"}));
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error).isEmpty());
}

TEST_F(IncluirNomes, WinnersMoveByHandAndAreNumberedDownToOneWithoutAGap) {
    addWinner("Xavier", 1);
    addWinner("Yara", 2);
    addWinner("Zilda", 3);
    auto w = open();
    EXPECT_EQ(w->Panel2->text(), "3");
    QTest::mouseClick(w->Button4, Qt::LeftButton); // an empty pool: nothing
    EXPECT_EQ(shown(w->DBGrid3, 1), QStringList({"Zilda", "Yara", "Xavier"}));

    // Yara, selected in the grid, goes back; the others close up.
    w->DBGrid3->setCurrentIndex(w->DBGrid3->model()->index(1, 1));
    QTest::mouseClick(w->Button5, Qt::LeftButton);
    EXPECT_EQ(shown(w->DBGrid3), QStringList({"2", "1"}));
    EXPECT_EQ(shown(w->DBGrid3, 1), QStringList({"Zilda", "Xavier"}));
    EXPECT_EQ(shown(w->DBGrid1), QStringList({"Yara"}));
    EXPECT_EQ(rows()[1], "Yara True True  wwww");
    EXPECT_EQ(w->Panel1->text(), "1");
    EXPECT_EQ(w->Panel2->text(), "2");

    // The renumbering walked to the last winner, and the list is not read
    // again after it: that one is the current winner now, and goes next.
    EXPECT_EQ(w->DBGrid3->currentIndex().row(), 1);
    QTest::mouseClick(w->Button5, Qt::LeftButton);
    EXPECT_EQ(shown(w->DBGrid3, 1), QStringList({"Zilda"}));
    EXPECT_EQ(shown(w->DBGrid3), QStringList({"1"}));

    // ">>>" makes the current name the newest winner; Ativo stays.
    ASSERT_TRUE(w->TbNome.locate("Nome", "Yara"));
    QTest::mouseClick(w->Button4, Qt::LeftButton);
    EXPECT_EQ(shown(w->DBGrid3, 1), QStringList({"Yara", "Zilda"}));
    EXPECT_EQ(rows()[1], "Yara False True 2 wwww");
    EXPECT_EQ(w->Panel1->text(), "1");
    EXPECT_EQ(w->Panel2->text(), "2");

    QTest::mouseClick(w->Button5, Qt::LeftButton);
    QTest::mouseClick(w->Button5, Qt::LeftButton);
    QTest::mouseClick(w->Button5, Qt::LeftButton); // none left: nothing
    EXPECT_TRUE(shown(w->DBGrid3).isEmpty());
    EXPECT_EQ(rows().size(), 3);
    EXPECT_EQ(w->Panel1->text(), "3");
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

TEST_F(IncluirNomes, TypingSearchesTheBeginningOfNamesInAnyLetterCase) {
    addNames({"Zeca", "josé", "Ana", "Joana", "João", "Bia"});
    auto w = open();
    w->Edit1->setFocus();
    QTest::keyClicks(w->Edit1, "jo");
    EXPECT_EQ(current(*w), "Joana");
    QTest::keyClicks(w->Edit1, "S");
    EXPECT_EQ(current(*w), "josé");
    QTest::keyClicks(w->Edit1, "x"); // no name begins so: the cursor stays
    EXPECT_EQ(current(*w), "josé");
    w->Edit1->clear(); // the empty text finds no name
    EXPECT_EQ(current(*w), "josé");
    w->Edit1->setText("JOÃ");
    EXPECT_EQ(current(*w), "João");
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

// A guest list as a Portuguese reader orders it: accented capitals among their
// letters, accents after the letters that follow, case last.
TEST_F(IncluirNomes, TheGridReadsInAlphabeticalOrderAndTypingLandsOnTheFirstMatchInIt) {
    addNames({"Zuleica", "Úrsula", "Luís", "Sophia", "Ângela", "Lúcia", "angela", "Sônia",
              "Conceição", "Lívia", "Lucas", "Conceicao"});
    auto w = open();
    EXPECT_EQ(shown(w->DBGrid1),
              QStringList({"angela", "Ângela", "Conceicao", "Conceição", "Lívia", "Lucas", "Lúcia",
                           "Luís", "Sônia", "Sophia", "Úrsula", "Zuleica"}));
    EXPECT_EQ(current(*w), "angela");
    w->Edit1->setFocus();
    const std::pair<const char*, const char*> typed[] = {
        {"l", "Lívia"},   {"lu", "Lucas"}, {"lui", "Lucas"}, // "Luís" is written with í
        {"luí", "Luís"},  {"â", "Ângela"}, {"conceiç", "Conceição"}, {"S", "Sônia"},
        {"So", "Sophia"}, {"Sô", "Sônia"}, {"ú", "Úrsula"},
    };
    for (const auto& [text, name] : typed) {
        w->Edit1->setText(QString::fromUtf8(text));
        EXPECT_EQ(current(*w), QString::fromUtf8(name)) << text;
        EXPECT_EQ(w->DBGrid1->currentIndex().row(), w->TbNome.recNo()) << text;
    }
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

TEST_F(IncluirNomes, EnterMovesAsTabDoesAndEscCloses) {
    auto w = open();
    // Tab walks the window's order, the unseen free-slot grid included.
    const QList<QWidget*> order = {w->DBGrid2, w->Edit1,   w->Button1, w->DBEdit1, w->Button2,
                                   w->Button3, w->DBGrid3, w->Button4, w->Button5, w->DBGrid1};
    for (QWidget* next : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), next) << next->objectName().toStdString();
    }

    w->Edit1->setFocus();
    QTest::keyClicks(w->Edit1, "Rita");
    QTest::keyClick(w->Edit1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), w->Button1);
    EXPECT_EQ(w->Edit1->text(), "Rita");
    QTest::keyClick(w->Button1, Qt::Key_Return); // Enter presses a button
    EXPECT_EQ(shown(w->DBGrid1), QStringList({"Rita"}));
    EXPECT_EQ(QApplication::focusWidget(), w->Edit1);
    w->DBEdit1->setFocus();
    QTest::keyClick(w->DBEdit1, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), w->Button1);

    QTest::keyClick(w->Button1, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(w->TbNome.active());
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

TEST_F(IncluirNomes, ARenameIsPostedByTheNavigatorOrAMoveAndDroppedOnClose) {
    addNames({"Ana", "Bia", "Caio"});
    auto w = open();
    w->DBEdit1->setFocus();
    w->DBEdit1->selectAll();
    QTest::keyClicks(w->DBEdit1, "Aninha");
    EXPECT_TRUE(w->TbNome.editing());
    w->DBNavigator1->press(NavigatorButton::Cancel);
    EXPECT_EQ(w->DBEdit1->text(), "Ana");

    w->DBEdit1->selectAll();
    QTest::keyClicks(w->DBEdit1, "Aninha");
    w->DBNavigator1->press(NavigatorButton::Post);
    w->DBNavigator1->press(NavigatorButton::Next);
    w->DBEdit1->selectAll();
    QTest::keyClick(w->DBEdit1, Qt::Key_Backspace); // the empty text is a name too
    w->DBNavigator1->press(NavigatorButton::Next);
    w->DBEdit1->selectAll();
    QTest::keyClicks(w->DBEdit1, "Carlos");
    QTest::keyClick(w->DBEdit1, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    w.reset();
    EXPECT_EQ(test::ColumnOf(db.connection(), "Nome", "TbNome"),
              QStringList({"Aninha", "", "Caio"}));
    EXPECT_EQ(test::ColumnOf(db.connection(), "Ordem", "TbNome"), QStringList(3, "oooo"));
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

TEST_F(IncluirNomes, CtrlDeleteAsksThenDeletesTheRowForGood) {
    addNames({"Ana", "Bia"});
    auto w = open();
    QTest::keyClick(w->DBGrid1, Qt::Key_Delete, Qt::ControlModifier); // Cancel
    fake.dialogs.answerYes();
    QTest::keyClick(w->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::DeleteRecord), QStringList(2, "Delete record?"));
    EXPECT_EQ(test::ColumnOf(db.connection(), "Nome", "TbNome"), QStringList({"Bia"}));
    EXPECT_EQ(shown(w->DBGrid1), QStringList({"Bia"}));
    EXPECT_TRUE(shown(w->DBGrid2).isEmpty());
}

TEST_F(IncluirNomes, ImportSkipsBlanksAndKeysEveryNewRow) {
    addWinner("Maria", 1);
    auto w = open();
    const QByteArray hundred = QByteArray("Nome Comprido ").repeated(8).left(100);
    import(*w, writeFile("  Maria\r\n\r\n \t\r\nMaria\r\nJo\r\xC3\xA3o  \r\n" + hundred +
                         "\n   Maria Clara\x1A"
                         "Depois\r\n"));
    EXPECT_EQ(fake.dialogs.asked().size(), 3);
    EXPECT_EQ(fake.dialogs.asked()[1].caption, "Selecione Arquivo a importar");
    EXPECT_EQ(fake.dialogs.asked()[1].text, "Arquivo Texto|*.txt|Planilha|*.csv;*.xlsx");
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Information), QStringList({"Tarefa Concluida!"}));

    const QStringList names = test::ColumnOf(db.connection(), "Nome", "TbNome");
    EXPECT_EQ(names,
              QStringList({"Maria", "Maria", "João  ", QString(hundred.left(40)), "Maria Clara"}));
    // Each new row gets a key as it is stored, without a reseed of its own.
    EXPECT_EQ(fake.random.trace(), QString("iiii").repeated(4));
    EXPECT_FALSE(test::ColumnOf(db.connection(), "Ordem", "TbNome").contains(""));
    EXPECT_EQ(test::ColumnOf(db.connection(), "Ok", "TbNome").count("True"), 4);
    // Rows inserted show at once; the counter waits for the next include.
    EXPECT_EQ(shown(w->DBGrid1).size(), 4);
    EXPECT_EQ(w->Panel1->text(), "0");

    // Tested as it was stored, by its first 40 characters, the long line is
    // found, whatever follows them; so is Maria.
    import(*w, writeFile(hundred + "\n" + hundred.left(40) + "outro fim\nMaria\n"));
    EXPECT_EQ(test::ColumnOf(db.connection(), "Nome", "TbNome"), names);
}

TEST_F(IncluirNomes, ImportFillsFreeSlotsTheDuplicateTestDoesNotSee) {
    addNames({"Ana"});
    addFreeSlot(9);
    addFreeSlot(17);
    auto w = open();
    fake.random.script({1, 1, 1, 1});
    import(*w, writeFile("Bia\nBia\nBia\nBia\nAna\n"));
    EXPECT_EQ(rows(), QStringList({"Ana True True  oooo", "Bia True True  bbbb",
                                   "Bia True True  bbbb", "Bia True True  bbbb"}));
    EXPECT_EQ(fake.random.trace(), "riiiiriiiiiiii");
    // Names put into free slots wait for the next reopening of the pool view.
    // The new row stands where the cursor stood.
    EXPECT_EQ(shown(w->DBGrid1), QStringList({"Bia", "Ana"}));
    EXPECT_TRUE(shown(w->DBGrid2).isEmpty());
    EXPECT_EQ(w->Panel1->text(), "1");
}

TEST_F(IncluirNomes, ImportReadsAccentsInEitherEncoding) {
    auto w = open();
    import(*w, writeFile("\xEF\xBB\xBFJo\xC3\xA3o\r\nConcei\xC3\xA7\xC3\xA3o\r\n"));
    import(*w, writeFile("S\xE3o Jo\xE3o\r\nConcei\xE7\xE3o\r\n"));
    EXPECT_EQ(test::ColumnOf(db.connection(), "Nome", "TbNome"),
              QStringList({"João", "Conceição", "São João"}));
}

TEST_F(IncluirNomes, ImportAnsweredNoOrCancelledChangesNothingButStillReports) {
    addNames({"Ana"});
    auto w = open();
    QTest::mouseClick(w->Button3, Qt::LeftButton);
    fake.dialogs.answerYes();
    fake.dialogs.answerCancel();
    QTest::mouseClick(w->Button3, Qt::LeftButton);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Confirmation),
              QStringList(2, "Tem certeza que gostaria de IMPORTAR NOMES ?"));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::OpenFile).size(), 1);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Information), QStringList(2, "Tarefa Concluida!"));
    EXPECT_EQ(rows(), QStringList({"Ana True True  oooo"}));
}

TEST_F(IncluirNomes, AFailedImportKeepsWhatWasStoredAndShowsNothingElse) {
    addNames({"Ana"});
    auto w = open();
    const QString missing = files.filePath("nada.txt");
    import(*w, missing);
    EXPECT_EQ(
        fake.dialogs.texts(DialogKind::Error),
        QStringList({QString("Cannot open file \"%1\": No such file or directory.").arg(missing)}));

    // The engine refuses one name halfway through.
    db.exec("CREATE TRIGGER Recusa BEFORE INSERT ON TbNome WHEN NEW.Nome = 'Erro' "
            "BEGIN SELECT RAISE(ABORT, 'Nome recusado'); END");
    import(*w, writeFile("Bia\nErro\nCaio\n"));
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error).size(), 2);
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error)[1].contains("Nome recusado"));
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Information).isEmpty());
    EXPECT_EQ(test::ColumnOf(db.connection(), "Nome", "TbNome"), QStringList({"Ana", "Bia"}));
    EXPECT_FALSE(w->TbNome.editing());
    EXPECT_EQ(shown(w->DBGrid1), QStringList({"Bia", "Ana"}));
}

} // namespace
} // namespace tiravo
