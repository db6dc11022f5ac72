// Two copies of the program on one file, each with its own connection and its
// own windows, as two operators at one event have them: draws in turn, a name
// editor working beside a draw screen, and a draw stored while the other
// copy's draw is on screen.
#include "draws/IncluirNomes.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/CounterPanel.h"
#include "widgets/DataGrid.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace tiravo {
namespace {

using test::ColumnOf;

const QString kNames = QStringLiteral("TbNome");

class TwoCopies : public testing::Test {
protected:
    // 12:00:37: both copies take the same step count from the clock.
    TwoCopies() : second(db.openSecond()) { fake.clock.setTime(QTime(12, 0, 37)); }

    void addNumbers(int count) {
        for (int n = 1; n <= count; ++n)
            db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                   "VALUES (%1, 'k%2', 1, 0)")
                        .arg(n)
                        .arg(n, 3, 10, QLatin1Char('0')));
    }

    void addNames(int count) {
        for (int n = 1; n <= count; ++n)
            db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                                   "VALUES ('Nome %1', 'k%2', 1, 1)")
                        .arg(n, 2, 10, QLatin1Char('0'))
                        .arg(n, 3, 10, QLatin1Char('0')));
    }

    // The places the file holds, lowest first.
    QStringList places(const QString& table) {
        QStringList stored = ColumnOf(db.connection(), QStringLiteral("Sorte"), table);
        stored.removeAll(QString());
        std::sort(stored.begin(), stored.end(),
                  [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
        return stored;
    }

    static void click(QPushButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    test::TempDatabase db;
    std::unique_ptr<Connection> second;
    TestServices fake;
};

const QStringList kOneToFour = {"1", "2", "3", "4"};

TEST_F(TwoCopies, NumberScreensDrawingInTurnGiveFourWinnersAtPlacesOneToFour) {
    addNumbers(11);
    TFVantaNumero a(nullptr, fake.context(db.connection()));
    TFVantaNumero b(nullptr, fake.context(*second));
    for (TFVantaNumero* turn : {&a, &b, &a, &b})
        click(turn->Button5);
    EXPECT_TRUE(fake.dialogs.asked().isEmpty())
        << fake.dialogs.texts(DialogKind::Error).join("; ").toStdString();
    EXPECT_EQ(places("TbNumero"), kOneToFour);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok").count("False"), 4);
    // The copy that drew last shows every winner, its own on top.
    EXPECT_EQ(b.Panel1->text(), "7");
    EXPECT_EQ(b.QrySorte.recordCount(), 4);
    EXPECT_EQ(b.QrySorte.field("Sorte").asString(), "4");
}

TEST_F(TwoCopies, NameScreensDrawingInTurnGiveFourWinnersAtPlacesOneToFour) {
    addNames(11);
    TFVantaNome a(nullptr, fake.context(db.connection()));
    TFVantaNome b(nullptr, fake.context(*second));
    for (TFVantaNome* turn : {&a, &b, &a, &b})
        click(turn->Button5);
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
    EXPECT_EQ(places(kNames), kOneToFour);
    EXPECT_EQ(b.Panel1->text(), "7");
}

// An absence marked in one copy is in the file before the other's next draw:
// that draw fills the vacant place, the absent name is never drawn, and the
// places after it go on without a repeat.
TEST_F(TwoCopies, AnAbsenceInOneCopyIsFilledByTheOthersNextDraw) {
    addNames(6);
    TFVantaNome a(nullptr, fake.context(db.connection()));
    TFVantaNome b(nullptr, fake.context(*second));
    for (TFVantaNome* turn : {&a, &b, &a})
        click(turn->Button5);
    a.QrySorte.first(); // a's list is whole: it drew last
    ASSERT_TRUE(a.QrySorte.locate("Sorte", "1"));
    const QString absent = a.QrySorte.field("Nome").asString();
    emit a.DBGrid1->customContextMenuRequested(QPoint(5, 5));
    a.WinnersMenu->hide();
    fake.dialogs.answerText("foi embora");
    a.WinnerAbsent->trigger();
    ASSERT_EQ(a.QrySorte.recordCount(), 2);
    for (TFVantaNome* turn : {&b, &a, &b, &a})
        click(turn->Button5);
    EXPECT_EQ(places(kNames), QStringList({"1", "2", "3", "4", "5"}));
    const qsizetype row = ColumnOf(db.connection(), "Nome", kNames).indexOf(absent);
    EXPECT_EQ(ColumnOf(db.connection(), "Sorte", kNames)[row], "");
    EXPECT_EQ(ColumnOf(db.connection(), "Ok", kNames)[row], "");
    EXPECT_EQ(b.QrySorte.recordCount(), 5);
}

TEST_F(TwoCopies, TheNameEditorOfOneTakesNamesOutWhileTheOtherDraws) {
    addNames(11);
    TFVantaNome screen(nullptr, fake.context(db.connection()));
    TFIncluirNomes editor(nullptr, fake.context(*second));
    // The editor's ">>>" takes out the first available name the file holds,
    // which its own list, read before the draws, still shows.
    const auto takeOut = [&] {
        TableView available(db.connection(), {.table = kNames,
                                              .filter = QStringLiteral("Ok = True"),
                                              .sortKey = QStringLiteral("Nome")});
        available.open();
        editor.Edit1->setText(available.field("Nome").asString());
        click(editor.Button4);
    };
    click(screen.Button5);
    takeOut();
    click(screen.Button5);
    takeOut();
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
    EXPECT_EQ(places(kNames), kOneToFour);
    EXPECT_EQ(editor.Panel1->text(), "7");
    EXPECT_EQ(editor.Panel2->text(), "4");

    // Putting back a winner that the screen's copy has cleared meanwhile
    // would make a free slot drawable: it is refused and nothing is written.
    click(screen.Button5); // 5
    fake.dialogs.answerYes();
    click(screen.Button2); // every name a free slot
    click(editor.Button5);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error).size(), 1);
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error).value(0).startsWith("O nome Nome "));
    EXPECT_EQ(ColumnOf(db.connection(), "Ok", kNames), QStringList(11, QString()));
    EXPECT_EQ(editor.Panel1->text(), "0");
    EXPECT_EQ(editor.Panel2->text(), "0");
}

// When the other copy draws, while a draw of the batch is on screen, the
// very entry that draw walks to, the draw stores nothing and says so, and
// the batch ends there, without a half draw or a place given twice.
TEST_F(TwoCopies, ABatchMeetingAWinnerTheOtherCopyDrewFirstEndsThere) {
    addNumbers(30);
    TFVantaNumero a(nullptr, fake.context(db.connection()));
    TFVantaNumero b(nullptr, fake.context(*second));
    // Both stand on the same first row of the same pool: B's draw during the
    // first frame of A's batch walks to A's winner.
    fake.pause.duringNextFrame([&] { b.Button5Click(); });
    fake.dialogs.answerNumber(3);
    a.DrawMany->trigger();
    const QStringList errors = fake.dialogs.texts(DialogKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith("O número ")) << errors[0].toStdString();
    EXPECT_EQ(places("TbNumero"), QStringList({"1"}));
    EXPECT_EQ(ColumnOf(db.connection(), "Ok").count("False"), 1);
    EXPECT_EQ(a.QrySorte.recordCount(), 1);
    EXPECT_EQ(a.Panel1->text(), "29");
    EXPECT_EQ(a.findChild<QWidget*>("BatchSummary"), nullptr);
}

TEST_F(TwoCopies, AWinnerStoredWhileTheOtherCopysDrawIsOnScreenTakesTheNextPlace) {
    addNumbers(11);
    TFVantaNumero a(nullptr, fake.context(db.connection()));
    TFVantaNumero b(nullptr, fake.context(*second));
    // One row further on, so that B's draw lands on another number than A's.
    b.TbNumero.next();
    fake.pause.duringNextFrame([&] { b.Button5Click(); });
    click(a.Button5);
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
    EXPECT_EQ(places("TbNumero"), QStringList({"1", "2"}));
    // A lists B's winner under its own.
    EXPECT_EQ(a.QrySorte.recordCount(), 2);
    EXPECT_EQ(a.QrySorte.field("Sorte").asString(), "2");
}

// A batch in one copy is in the file before the other's next draw, and a
// draw the other copy stores between two draws of the batch takes a place
// of its own: no place is given twice.
TEST_F(TwoCopies, ABatchInOneCopyAndDrawsInTheOtherNeverRepeatAPlace) {
    addNumbers(30);
    TFVantaNumero a(nullptr, fake.context(db.connection()));
    TFVantaNumero b(nullptr, fake.context(*second));
    click(b.Button5); // 1
    // B draws once A's first draw is stored, before its second begins: the
    // batch lets what waits run between its draws.
    bool drawn = false;
    fake.pause.duringNextFrame([&] {
        QTimer::singleShot(0, &b, [&] {
            drawn = true;
            b.Button5Click();
        });
    });
    fake.dialogs.answerNumber(4);
    a.DrawMany->trigger();
    EXPECT_TRUE(drawn);
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error).isEmpty())
        << fake.dialogs.texts(DialogKind::Error).join("; ").toStdString();
    EXPECT_EQ(places("TbNumero"), QStringList({"1", "2", "3", "4", "5", "6"}));
    // B's next draw sees the whole batch.
    click(b.Button5);
    EXPECT_EQ(places("TbNumero").size(), 7);
    EXPECT_EQ(b.QrySorte.field("Sorte").asString(), "7");
    EXPECT_EQ(b.QrySorte.recordCount(), 7);
    EXPECT_EQ(b.Panel1->text(), "23");
}

} // namespace
} // namespace tiravo
