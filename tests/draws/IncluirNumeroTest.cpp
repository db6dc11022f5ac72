// The number list editor driven through its controls.
#include "draws/IncluirNumero.h"
#include "store/Query.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/DataGrid.h"
#include "widgets/DataNavigator.h"

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using test::ColumnOf;

class IncluirNumero : public testing::Test {
protected:
    std::unique_ptr<TFIncluirNumero> open() {
        auto w = std::make_unique<TFIncluirNumero>(nullptr, fake.context(db.connection()));
        w->show();
        w->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
        return w;
    }

    void addRange(TFIncluirNumero& w, int first, int last) {
        w.RxSpinEdit1->setValue(first);
        w.RxSpinEdit2->setValue(last);
        QTest::mouseClick(w.Button1, Qt::LeftButton);
    }

    // Types into the grid's cell as the operator would.
    static void type(const char* text) {
        for (const char* c = text; *c; ++c)
            QTest::keyClick(QApplication::focusWidget(), *c);
    }

    test::TempDatabase db;
    TestServices fake;
};

TEST_F(IncluirNumero, ARangeAddsEveryWholeNumberOfItEachWithItsOwnKey) {
    auto w = open();
    QTest::mouseClick(w->Button1, Qt::LeftButton); // both at 0
    addRange(*w, 5, 5);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Notice),
              QStringList(2, "Valor Final menor ou igual ao valor inicial!"));

    addRange(*w, 1, 90);
    EXPECT_EQ(ColumnOf(db.connection(), "Numero").size(), 90);
    EXPECT_EQ(ColumnOf(db.connection(), "Ok").count("True"), 90);
    // Each row's key is built right after fresh entropy.
    EXPECT_EQ(fake.random.trace(), QString("iiiiriiii").repeated(90));
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 90);

    // 1 and 2 are in the list already, and then all six.
    fake.dialogs.answerYes();
    addRange(*w, -3, 2);
    fake.dialogs.answerYes();
    addRange(*w, -3, 2);
    const QStringList numbers = ColumnOf(db.connection(), "Numero");
    EXPECT_EQ(numbers.mid(90, 6), QStringList({"-3", "-2", "-1", "0", "1", "2"}));
    EXPECT_EQ(numbers.count("2"), 3);
    EXPECT_EQ(fake.dialogs.asked().size(), 4);
}

TEST_F(IncluirNumero, ARangeOverlappingTheListAsksFirstAndNoAddsNothing) {
    auto w = open();
    addRange(*w, 1, 10);
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());

    addRange(*w, 5, 15); // no answer scripted: the default, No
    ASSERT_EQ(fake.dialogs.asked().size(), 1);
    const AskedDialog question = fake.dialogs.asked().constFirst();
    EXPECT_EQ(question.kind, DialogKind::Confirmation);
    EXPECT_EQ(question.caption, QStringLiteral("Confirm"));
    EXPECT_EQ(question.text, QStringLiteral("Já existem 6 destes números na lista. Incluir assim "
                                            "mesmo?"));
    EXPECT_TRUE(question.defaultNo);
    EXPECT_EQ(ColumnOf(db.connection(), "Numero").size(), 10);
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 10);

    fake.dialogs.answerYes();
    addRange(*w, 5, 15);
    EXPECT_EQ(ColumnOf(db.connection(), "Numero").size(), 21);
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 21);

    // Each number counts once, however often it is in the list; a number
    // drawn already is not in it.
    db.exec("UPDATE TbNumero SET Ok = 0, Ativo = 1, Sorte = 1 WHERE Numero = 15");
    fake.dialogs.answerNo();
    addRange(*w, 1, 16);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Confirmation).last(),
              QStringLiteral("Já existem 14 destes números na lista. Incluir assim mesmo?"));
    EXPECT_EQ(ColumnOf(db.connection(), "Numero").size(), 21);
    EXPECT_EQ(fake.dialogs.unusedAnswers(), 0U);
}

TEST_F(IncluirNumero, ANumberBegunByHandIsAvailableAndKeyedAtOnce) {
    auto w = open();
    fake.random.script({10, 4, 24, 18});
    w->DBNavigator1->press(NavigatorButton::Insert);
    w->DBNavigator1->press(NavigatorButton::Post);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({"Field 'Numero' must have a value."}));
    w->TbNumero.field("Numero").setAsString("5");
    w->DBNavigator1->press(NavigatorButton::Post);

    w->DBGrid1->setFocus();
    QTest::keyClick(w->DBGrid1, Qt::Key_Insert);
    type("43");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    w->DBNavigator1->press(NavigatorButton::Post);

    // Without a key each would sort first and start the next draw.
    EXPECT_EQ(ColumnOf(db.connection(), "Numero"), QStringList({"5", "43"}));
    EXPECT_EQ(ColumnOf(db.connection(), "Ordem"), QStringList(2, "keys"));
    EXPECT_EQ(ColumnOf(db.connection(), "Ok"), QStringList(2, "True"));
}

TEST_F(IncluirNumero, EscClosesAndDropsANumberNeverStored) {
    auto w = open();
    w->DBGrid1->setFocus();
    QTest::keyClick(w->DBGrid1, Qt::Key_Insert);
    type("42");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    w.reset();
    EXPECT_TRUE(ColumnOf(db.connection(), "Numero").isEmpty());
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

TEST_F(IncluirNumero, TheHiddenButtonRenewsTheKeysOfAvailableNumbersFromTheKeyboard) {
    auto w = open();
    QTest::mouseClick(w->Button2, Qt::LeftButton); // an empty list: nothing at all
    EXPECT_EQ(fake.random.trace(), "");
    w.reset();

    test::AddNumbers(db, {{1, "aaaa"}, {2, "bbbb"}});
    db.exec("INSERT INTO TbNumero (Numero, Ordem, Ok) VALUES (3, 'cccc', 0)");
    w = open();
    fake.random.script({13});
    w->Button1->setFocus();
    QTest::keyClick(w->Button1, Qt::Key_Right);
    ASSERT_EQ(QApplication::focusWidget(), w->Button2);
    QTest::keyClick(w->Button2, Qt::Key_Return);
    EXPECT_EQ(ColumnOf(db.connection(), "Ordem"), QStringList({"nnnn", "nnnn", "cccc"}));
    EXPECT_EQ(fake.random.trace(), "iiiiiiii"); // no reseed here
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

TEST_F(IncluirNumero, StoreRefusingNewRowsIsReportedOnceAndCtrlDeleteAsksFirst) {
    test::AddNumbers(db, {{1, "aaaa"}, {2, "bbbb"}});
    auto w = open();
    w->DBGrid1->setFocus();
    QTest::keyClick(w->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    fake.dialogs.answerYes();
    QTest::keyClick(w->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::DeleteRecord), QStringList(2, "Delete record?"));
    EXPECT_EQ(ColumnOf(db.connection(), "Numero"), QStringList({"2"}));

    w->TbNumero.close();
    addRange(*w, 3, 100000);
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({"Cannot perform this operation on a closed dataset."}));
    EXPECT_EQ(ColumnOf(db.connection(), "Numero"), QStringList({"2"}));
}

TEST_F(IncluirNumero, ADiskThatFillsInARangeShowsTheErrorAndOnlyTheStoredNumbers) {
    test::AddNumbers(db, {{1, "aaaa"}, {2, "bbbb"}});
    Query pages(db.connection(), {"PRAGMA page_count"});
    pages.open();
    db.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pages.field(0).asInteger() + 3));
    auto w = open();
    addRange(*w, 100, 100000);
    // The engine gave up the whole range with the transaction: the grid and
    // the counter show what the file holds, and the operator learns why, in
    // his own language.
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error),
              QStringList({"O disco de " + QDir::toNativeSeparators(db.path()) +
                           " está cheio: libere espaço e tente de novo. Nada foi gravado."}));
    EXPECT_EQ(ColumnOf(db.connection(), "Numero"), QStringList({"1", "2"}));
    EXPECT_EQ(w->TbNumero.recordCount(), 2);
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 2);
    EXPECT_FALSE(w->TbNumero.editing());

    db.exec("PRAGMA max_page_count = 1073741823");
    addRange(*w, 10, 19);
    EXPECT_EQ(ColumnOf(db.connection(), "Numero").size(), 12);
    EXPECT_EQ(w->DBGrid1->model()->rowCount(), 12);
}

} // namespace
} // namespace tiravo
