// The number draw screen driven through its controls: the frames a draw
// paints, what it stores, and its other commands.
#include "draws/VantaNumero.h"
#include "draws/IncluirNumero.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/CounterPanel.h"
#include "widgets/DataGrid.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using test::ColumnOf;

const QString kTeaser = QStringLiteral(":/pictures/teaser.png");
const QString kFrame = QStringLiteral(":/pictures/frame.png");

// The frames that end every draw: suspense, plain frame, the winner.
QStringList Reveal(const QString& number, int suspense) {
    return {QStringLiteral("Image1=%1@%2").arg(kTeaser).arg(suspense),
            QStringLiteral("Image1=%1@0").arg(kFrame),
            QStringLiteral("LabNome=%1@100").arg(number)};
}

class VantaNumero : public testing::Test {
protected:
    // 12:00:37: the tens digit 3 gives four skip steps.
    VantaNumero() { fake.clock.setTime(QTime(12, 0, 37)); }

    // The numbers 1 to count, keyed so that the pool lists them in that order.
    void addInOrder(int count, test::TempDatabase& to) {
        for (int n = 1; n <= count; ++n)
            to.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                   "VALUES (%1, 'k%2', 1, 0)")
                        .arg(n)
                        .arg(n, 3, 10, QLatin1Char('0')));
    }

    std::unique_ptr<TFVantaNumero> open(test::TempDatabase& on) {
        return std::make_unique<TFVantaNumero>(nullptr, fake.context(on.connection()));
    }

    static QString winnerAt(TFVantaNumero& w, int row) {
        return w.DBGrid1->model()->index(row, 0).data().toString();
    }

    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    test::TempDatabase db;
    TestServices fake;
};

TEST_F(VantaNumero, ElevenNumbersFlashTwelveTimesAndTheWinnerIsWhereTheLastFrameStepLands) {
    addInOrder(11, db);
    auto w = open(db);
    EXPECT_EQ(w->Panel1->text(), "11");
    EXPECT_EQ(w->LabNome->text(), "");
    click(w->Button5);

    // Four skip steps, then twelve frames that show the last number twice.
    QStringList expected;
    for (const char* n : {"05", "06", "07", "08", "09", "10", "11", "11", "01", "02", "03", "04"})
        expected << QStringLiteral("LabNome=%1@70").arg(QLatin1String(n));
    expected << Reveal("05", 1000);
    EXPECT_EQ(fake.pause.summary(), expected);
    EXPECT_EQ(fake.pause.totalMilliseconds(), 1940);

    EXPECT_EQ(w->LabNome->text(), "05");
    EXPECT_EQ(w->Image1->pictureName(), kFrame);
    EXPECT_EQ(w->Panel1->text(), "10");
    EXPECT_EQ(winnerAt(*w, 0), "5");
    EXPECT_EQ(ColumnOf(db.connection(), "Ok").indexOf("False"), 4);
    EXPECT_EQ(ColumnOf(db.connection(), "Ativo")[4], "True");
    EXPECT_EQ(ColumnOf(db.connection(), "Sorte")[4], "1");
    // The ten left get new keys, each after fresh entropy; the winner keeps its own.
    EXPECT_EQ(fake.random.trace(), QString("riiii").repeated(10));
    EXPECT_EQ(ColumnOf(db.connection(), "Ordem")[4], "k005");
}

TEST_F(VantaNumero, UpToTenNumbersShowNoRunAndTakeTheStepCountOnceOrTwice) {
    addInOrder(3, db);
    auto w = open(db);
    click(w->Button5);
    EXPECT_EQ(fake.pause.summary(), Reveal("02", 1000)); // four steps over three

    test::TempDatabase six;
    addInOrder(6, six);
    auto w6 = open(six);
    fake.pause.clear();
    click(w6->Button5);
    EXPECT_EQ(fake.pause.summary(), Reveal("03", 1000)); // eight steps over six
}

TEST_F(VantaNumero, TheLastNumberShowsAfterTwoSecondsAndThenThePoolIsEmpty) {
    test::AddNumbers(db, {{7, "qqqq"}});
    db.exec("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo, Sorte) VALUES (3, 'aaaa', 0, 1, 1)");
    auto w = open(db);
    click(w->Button5);

    EXPECT_EQ(fake.pause.summary(), Reveal("07", 2000));
    EXPECT_EQ(winnerAt(*w, 0), "7"); // "07" only on the big label
    EXPECT_EQ(winnerAt(*w, 1), "3");
    EXPECT_EQ(w->Panel1->text(), "0");
    EXPECT_EQ(ColumnOf(db.connection(), "Sorte"), QStringList({"2", "1"}));
    EXPECT_EQ(fake.random.trace(), ""); // no reshuffle

    fake.pause.clear();
    click(w->Button5);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Você necessita ter cadastrado no mínimo UM Número!"}));
    EXPECT_TRUE(fake.pause.frames().isEmpty());
}

TEST_F(VantaNumero, ReleaseAfterThreeDrawsPutsEveryNumberBackWithoutTheKeysThatWon) {
    addInOrder(5, db);
    auto w = open(db);
    for (int i = 0; i < 3; ++i)
        click(w->Button5);
    EXPECT_EQ(winnerAt(*w, 0).isEmpty(), false);

    fake.random.script({24});
    fake.dialogs.answerYes();
    click(w->Button3);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Liberação executada com sucesso!"}));
    EXPECT_EQ(w->Panel1->text(), "5");
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 0);
    EXPECT_EQ(w->LabNome->text(), "");
    EXPECT_EQ(w->Image1->pictureName(), kTeaser);
    // The earlier winners keep their places for their own cycle.
    QStringList places = ColumnOf(db.connection(), "Sorte");
    places.sort();
    EXPECT_EQ(places, QStringList({"", "", "1", "2", "3"}));
    EXPECT_EQ(ColumnOf(db.connection(), "Ativo").count("True"), 3);
    EXPECT_EQ(ColumnOf(db.connection(), "Ordem"), QStringList(5, "yyyy"));
}

TEST_F(VantaNumero, ClearAnsweredNoStillRereadsBothViewsAndYesClearsEveryNumber) {
    addInOrder(3, db);
    auto w = open(db);
    click(w->Button5);
    test::AddNumbers(db, {{50, "zzzz"}}); // by another program: unseen until read again
    EXPECT_EQ(w->Panel1->text(), "2");

    fake.dialogs.answerNo();
    click(w->Button2);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Confirmation),
              QStringList({"Tem Certeza Que deseja Limpar esta lista?"}));
    EXPECT_EQ(w->Panel1->text(), "3");
    EXPECT_EQ(w->LabNome->text(), "");
    EXPECT_EQ(w->Image1->pictureName(), kTeaser);

    fake.dialogs.answerYes();
    click(w->Button2);
    EXPECT_EQ(w->Panel1->text(), "0");
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 0);
    EXPECT_EQ(ColumnOf(db.connection(), "Ativo"), QStringList(4, "False"));
    EXPECT_EQ(ColumnOf(db.connection(), "Sorte"), QStringList(4, ""));

    // Releasing then makes every number ever added available again.
    fake.dialogs.answerYes();
    click(w->Button3);
    EXPECT_EQ(w->Panel1->text(), "4");
}

TEST_F(VantaNumero, HiddenPickFromTheKeyboardTakesOutANumberAndAnOldWinnerComesBack) {
    addInOrder(5, db);
    db.exec("UPDATE TbNumero SET Ativo = 1, Sorte = 1 WHERE Numero = 5"); // released winner
    auto w = open(db);
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->Button3->setFocus();
    QTest::keyClick(w->Button3, Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), w->Button4);
    QTest::keyClick(w->Button4, Qt::Key_Space);

    // 01/02/2024 12:00:37: 1 + 0 + 37 = 38 skip steps, then 50 frames.
    const QStringList frames = fake.pause.summary();
    ASSERT_EQ(frames.size(), 51);
    EXPECT_EQ(frames.at(49), "LabNome=QUEM SERÁ ??????????@2000");
    EXPECT_EQ(frames.last(), "LabNome=05@150");
    EXPECT_EQ(fake.pause.totalMilliseconds(), 9500);
    EXPECT_EQ(w->Panel1->text(), "4");
    EXPECT_EQ(ColumnOf(db.connection(), "Ok")[4], "False");
    EXPECT_EQ(fake.random.trace(), "");
    // Its old place shows once the winners list is read again.
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 0);
    fake.dialogs.answerNo();
    click(w->Button2);
    EXPECT_EQ(winnerAt(*w, 0), "5");

    // Escape closes, with or without modifiers.
    QTest::keyClick(w->Button5, Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_FALSE(w->isVisible());

    test::TempDatabase two;
    addInOrder(2, two);
    auto w2 = open(two);
    click(w2->Button4);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice).last(),
              "Você necessita ter cadastrado no mínimo três Nomes!");
    EXPECT_EQ(ColumnOf(two.connection(), "Ok"), QStringList(2, "True"));
}

TEST_F(VantaNumero, ANumberDrawnMeanwhileByAnotherProgramIsNeverDrawnTwice) {
    addInOrder(5, db);
    auto w = open(db);
    // The draw lands on 04 (eight skip steps over five), which another copy
    // of the program on the same file draws while this draw is on screen.
    auto other = db.openSecond();
    fake.pause.duringNextFrame([&] {
        other->execute("UPDATE TbNumero SET Ok = 0, Ativo = 1, Sorte = 1 WHERE Numero = 4");
    });
    click(w->Button5);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({"O número 04 não está mais disponível: já foi sorteado ou retirado "
                           "em outro programa. Nada foi gravado: faça o sorteio novamente."}));
    EXPECT_EQ(ColumnOf(db.connection(), "Sorte"), QStringList({"", "", "", "1", ""}));
    EXPECT_EQ(ColumnOf(db.connection(), "Ok").count("True"), 4);
    // The screen shows the file as it is now, and makes no reshuffle.
    EXPECT_EQ(w->Panel1->text(), "4");
    EXPECT_EQ(winnerAt(*w, 0), "4");
    EXPECT_EQ(fake.random.trace(), "");

    // The next draw takes the place after the other program's winner.
    click(w->Button5);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error).size(), 1);
    EXPECT_EQ(ColumnOf(db.connection(), "Sorte"), QStringList({"2", "", "", "1", ""}));
    EXPECT_EQ(w->Panel1->text(), "3");
}

TEST_F(VantaNumero, TheHiddenPickOfANumberTakenMeanwhileChangesNothing) {
    addInOrder(5, db);
    auto w = open(db);
    auto other = db.openSecond();
    fake.pause.duringNextFrame(
        [&] { other->execute("UPDATE TbNumero SET Ok = 0 WHERE Numero = 5"); });
    click(w->Button4); // 38 skip steps and 50 frames end on 05
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({"O número 05 não está mais disponível: já foi sorteado ou retirado "
                           "em outro programa. Nada foi gravado: faça o sorteio novamente."}));
    EXPECT_EQ(w->Panel1->text(), "4");
    EXPECT_EQ(ColumnOf(db.connection(), "Ok").count("True"), 4);
}

TEST_F(VantaNumero, AWinnerThatCouldNotBeSavedIsNeverSavedLaterBesideAnother) {
    addInOrder(5, db);
    auto w = open(db);
    db.connection().setBusyTimeout(50);
    auto holder = db.openSecond(); // another program holding the write lock
    holder->execute("BEGIN IMMEDIATE");
    click(w->Button5);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({"O arquivo " + QDir::toNativeSeparators(db.path()) +
                           " está em uso por outra cópia do programa: espere que ela termine o "
                           "que está fazendo e tente de novo."}));
    EXPECT_FALSE(w->TbNumero.editing());
    EXPECT_EQ(w->Panel1->text(), "5");
    holder->execute("ROLLBACK");

    click(w->Button5);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error).size(), 1);
    // One winner, at place 1; the failed one was dropped, not posted later.
    EXPECT_EQ(ColumnOf(db.connection(), "Sorte").count("1"), 1);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok").count("False"), 1);
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 1);
}

TEST_F(VantaNumero, TheEditorOpensModallyAndThePoolIsReadAgainAfterIt) {
    auto w = open(db);
    w->show();
    bool sawEditor = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* editor = qobject_cast<TFIncluirNumero*>(modal)) {
            sawEditor = true;
            editor->RxSpinEdit1->setValue(1);
            editor->RxSpinEdit2->setValue(90);
            click(editor->Button1);
        }
        if (modal)
            QTest::keyClick(modal, Qt::Key_Escape);
    });
    click(w->Button1);
    EXPECT_TRUE(sawEditor);
    EXPECT_EQ(w->Panel1->text(), "90");

    QTest::mouseClick(w->Image4, Qt::LeftButton);
    EXPECT_EQ(fake.desktop.opened, QStringList({"https://www.korvane.example/tiravo.htm"}));
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

} // namespace
} // namespace tiravo
