// The name draw screen driven through its controls: the roll a draw paints,
// what it stores, and the commands that empty and release the list.
#include "draws/VantaNome.h"
#include "draws/IncluirNomes.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/CounterPanel.h"
#include "widgets/DataGrid.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using test::ColumnOf;

const QString kNames = QStringLiteral("TbNome");
const QString kTeaser = QStringLiteral(":/pictures/teaser.png");
const QString kFrame = QStringLiteral(":/pictures/frame.png");

QStringList Reveal(const QString& name) {
    return {QStringLiteral("Image1=%1@2000").arg(kTeaser),
            QStringLiteral("Image1=%1@0").arg(kFrame), QStringLiteral("LabNome=%1@100").arg(name)};
}

QStringList Roll(const QStringList& names) {
    QStringList frames;
    for (const QString& name : names)
        frames << QStringLiteral("LabNome=%1@70").arg(name);
    return frames;
}

// `count` frames of a cycle that repeats.
QStringList Cycle(const QStringList& cycle, int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << cycle.at(i % cycle.size());
    return names;
}

class VantaNome : public testing::Test {
protected:
    // Available names keyed so that the pool lists them in this order.
    static void addInOrder(test::TempDatabase& to, const QStringList& names) {
        int key = 0;
        for (const QString& name : names)
            to.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                                   "VALUES ('%1', 'k%2', 1, 1)")
                        .arg(name)
                        .arg(++key, 3, 10, QLatin1Char('0')));
    }

    std::unique_ptr<TFVantaNome> open(test::TempDatabase& on) {
        return std::make_unique<TFVantaNome>(nullptr, fake.context(on.connection()));
    }

    static QString winnerAt(TFVantaNome& w, int row, int column = 0) {
        return w.DBGrid1->model()->index(row, column).data().toString();
    }

    void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    QStringList column(const QString& name) { return ColumnOf(db.connection(), name, kNames); }

    test::TempDatabase db;
    TestServices fake;
};

TEST_F(VantaNome, TwoNamesRollWithTheLastShownTwiceAndTheStepCountPicksTheWinner) {
    addInOrder(db, {"Ana", "Bia"});
    // Second 4: ten skip steps bring the cursor back to Ana.
    fake.clock.setTime(QTime(12, 0, 4));
    auto w = open(db);
    EXPECT_EQ(w->LabNome->text(), "");
    EXPECT_EQ(w->Panel1->text(), "2");
    click(w->Button5);
    EXPECT_EQ(fake.pause.summary(), Roll(Cycle({"Ana", "Bia", "Bia"}, 32)) + Reveal("Bia"));
    EXPECT_EQ(fake.pause.totalMilliseconds(), 32 * 70 + 2100);
    EXPECT_EQ(column("Ok"), QStringList({"True", "False"}));
    EXPECT_EQ(column("Sorte"), QStringList({"", "1"}));
    EXPECT_EQ(column("Ativo"), QStringList({"True", "True"}));
    EXPECT_EQ(winnerAt(*w, 0), "Bia");
    EXPECT_EQ(winnerAt(*w, 0, 1), "1");
    EXPECT_EQ(w->Panel1->text(), "1");
    EXPECT_EQ(w->LabNome->text(), "Bia");
    EXPECT_EQ(w->Image1->pictureName(), kFrame);
    // The one name left gets a new key after fresh entropy; the winner keeps its own.
    EXPECT_EQ(fake.random.trace(), "riiii");
    EXPECT_EQ(column("Ordem")[1], "k002");

    // Second 5: eleven steps from the first row, and Ana wins at the next place.
    test::TempDatabase odd;
    addInOrder(odd, {"Ana", "Bia"});
    odd.exec("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo, Sorte) VALUES ('Caio', 'a', 0, 1, 1)");
    fake.clock.setTime(QTime(12, 0, 5));
    fake.pause.clear();
    auto w2 = open(odd);
    click(w2->Button5);
    EXPECT_EQ(fake.pause.summary(), Roll(Cycle({"Bia", "Bia", "Ana"}, 32)) + Reveal("Ana"));
    EXPECT_EQ(ColumnOf(odd.connection(), "Sorte", kNames), QStringList({"2", "", "1"}));
    EXPECT_EQ(winnerAt(*w2, 0), "Ana");
    EXPECT_EQ(winnerAt(*w2, 1), "Caio");
}

TEST_F(VantaNome, ThreeNamesRollInCyclesOfFourFramesFromWhereTheSkipLeftTheCursor) {
    addInOrder(db, {"Ana", "Bia", "Caio"});
    fake.clock.setTime(QTime(12, 0, 10)); // ten steps: one past a whole turn
    auto w = open(db);
    click(w->Button5);
    const QStringList roll = Cycle({"Bia", "Caio", "Caio", "Ana"}, 32);
    EXPECT_EQ(fake.pause.summary(), Roll(roll) + Reveal("Bia"));
    // The winner is where the last frame step lands, not the last name shown.
    EXPECT_EQ(roll.last(), "Ana");
    EXPECT_EQ(column("Ok"), QStringList({"True", "False", "True"}));
}

TEST_F(VantaNome, TheLastNameIsRevealedWithoutARollAndThenThePoolIsEmpty) {
    addInOrder(db, {"Zeca"});
    auto w = open(db);
    click(w->Button5);
    EXPECT_EQ(fake.pause.summary(), Reveal("Zeca"));
    EXPECT_EQ(column("Sorte"), QStringList({"1"}));
    EXPECT_EQ(w->Panel1->text(), "0");
    EXPECT_EQ(fake.random.trace(), ""); // no reshuffle

    fake.pause.clear();
    click(w->Button5);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Você necessita ter cadastrado no mínimo UM Nome!"}));
    EXPECT_TRUE(fake.pause.frames().isEmpty());
}

TEST_F(VantaNome, ClearTurnsEveryNameIntoAFreeSlotAndNoOnlyMovesTheCursorOn) {
    addInOrder(db, {"Ana", "Bia", "Caio"});
    fake.clock.setTime(QTime(12, 0, 9)); // nine steps: a whole number of turns
    auto w = open(db);

    // No: the next draw starts one row further on.
    fake.dialogs.answerNo();
    click(w->Button2);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Confirmation),
              QStringList({"Tem Certeza Que deseja Limpar esta lista?"}));
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Notice).isEmpty());
    click(w->Button5);
    EXPECT_EQ(fake.pause.summary().first(), "LabNome=Bia@70");
    EXPECT_EQ(w->Panel1->text(), "2");
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 1);

    fake.dialogs.answerYes();
    click(w->Button2);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Banco de Dados zerado com sucesso!"}));
    EXPECT_EQ(column("Nome"), QStringList({"1", "2", "3"}));
    EXPECT_EQ(column("Ok"), QStringList({"", "", ""}));
    EXPECT_EQ(column("Ativo"), QStringList({"False", "False", "False"}));
    EXPECT_EQ(column("Sorte"), QStringList({"", "", ""}));
    EXPECT_EQ(w->Panel1->text(), "0");
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 0);

    // Over a list without a live name: nothing changes, the message still shows.
    fake.dialogs.answerYes();
    click(w->Button2);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice).size(), 2);
    EXPECT_EQ(column("Nome"), QStringList({"1", "2", "3"}));
}

TEST_F(VantaNome, ReleasePutsDrawnNamesBackWithFreshKeysAndLeavesFreeSlots) {
    addInOrder(db, {"Ana", "Bia", "Caio", "Duda"});
    db.exec("UPDATE TbNome SET Nome = '4', Ok = NULL, Ativo = 0 WHERE Nome = 'Duda'");
    auto w = open(db);
    click(w->Button5);
    click(w->Button5);
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 2);

    fake.random.script({23});
    fake.dialogs.answerYes();
    click(w->Button3);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList({"Lista de Nomes Liberada com Sucesso!"}));
    EXPECT_EQ(column("Ok"), QStringList({"True", "True", "True", ""}));
    EXPECT_EQ(column("Sorte"), QStringList({"", "", "", ""}));
    // A key that once won would put its name where the next draw lands.
    EXPECT_EQ(column("Ordem"), QStringList({"xxxx", "xxxx", "xxxx", "k004"}));
    EXPECT_EQ(w->Panel1->text(), "3");
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 0);

    // With no live name at all: no message, and the pool shows available names only.
    test::TempDatabase onlySlots;
    onlySlots.exec("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES ('1', 'aaaa', NULL, 0)");
    auto w2 = open(onlySlots);
    fake.dialogs.clear();
    fake.dialogs.answerYes();
    click(w2->Button3);
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Notice).isEmpty());
    EXPECT_EQ(w2->TbNome.filter(), "Ok = True");
    EXPECT_EQ(w2->TbNome.recordCount(), 0);
}

TEST_F(VantaNome, HiddenPickFromTheKeyboardDrawsWithoutAPlace) {
    addInOrder(db, {"Ana", "Bia", "Caio", "Duda", "Eva"});
    auto w = open(db);
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->Button5->setFocus();
    // Tab never reaches it; the arrow keys do.
    QTest::keyClick(w->Button5, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), w->Button4);
    EXPECT_EQ(QApplication::focusWidget(), w->DBGrid1);
    w->Button5->setFocus();
    QTest::keyClick(w->Button5, Qt::Key_Down);
    ASSERT_EQ(QApplication::focusWidget(), w->Button4);
    QTest::keyClick(w->Button4, Qt::Key_Space);

    // 01/02/2024 12:00:00: 1 + 0 + 0 = 1 skip step, then 50 frames.
    const QStringList frames = fake.pause.summary();
    ASSERT_EQ(frames.size(), 51);
    EXPECT_EQ(frames.first(), "LabNome=Caio@150");
    EXPECT_EQ(frames.at(49), "LabNome=QUEM SERÁ ??????????@2000");
    EXPECT_EQ(fake.pause.totalMilliseconds(), 50 * 150 + 2000);
    EXPECT_EQ(column("Ok").count("False"), 1);
    EXPECT_EQ(column("Sorte"), QStringList(5, ""));
    EXPECT_EQ(w->Panel1->text(), "4");
    EXPECT_EQ(fake.random.trace(), "");

    test::TempDatabase two;
    addInOrder(two, {"Ana", "Bia"});
    auto w2 = open(two);
    click(w2->Button4);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice).last(),
              "Você necessita ter cadastrado no mínimo três Nomes!");
}

TEST_F(VantaNome, TheEditorOpensModallyThePoolIsReadAgainAndEscCloses) {
    auto w = open(db);
    w->show();
    addInOrder(db, {"Ana", "Bia"}); // as the editor would have stored them
    bool sawEditor = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        sawEditor = qobject_cast<TFIncluirNomes*>(modal) != nullptr;
        if (modal)
            modal->close();
    });
    click(w->Button1);
    EXPECT_TRUE(sawEditor);
    EXPECT_EQ(w->Panel1->text(), "2");

    QTest::mouseClick(w->Image4, Qt::LeftButton);
    EXPECT_EQ(fake.desktop.opened, QStringList({"https://www.korvane.example/"}));

    QTest::keyClick(w->Button5, Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
}

TEST_F(VantaNome, ANameBegunInThePoolViewIsAvailableOnceStored) {
    // No control of the screen begins a row, but its view's hook still sets one.
    auto w = open(db);
    w->TbNome.insert();
    w->TbNome.field("Nome").setAsString("Caio");
    w->TbNome.post();
    EXPECT_EQ(column("Ok"), QStringList({"True"}));
    EXPECT_EQ(w->TbNome.recordCount(), 1);
}

TEST_F(VantaNome, AMissingLogoTableIsReportedOnceAndNotAtEveryActivation) {
    db.exec("DROP TABLE TbImage");
    auto w = open(db);
    ASSERT_EQ(fake.dialogs.texts(DialogKind::Error).size(), 1);
    // Closing the error box activates the window again.
    w->show();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    w->FormActivate();
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error).size(), 1);
}

} // namespace
} // namespace tiravo
