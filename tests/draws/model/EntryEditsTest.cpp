// Entries typed into the editors by hand go into the record with the draws,
// so that the record goes on telling what the pools hold.
#include "draws/IncluirNomes.h"
#include "draws/IncluirNumero.h"
#include "draws/model/NameImport.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/RecordChain.h"
#include "draws/model/RecordCheck.h"
#include "store/Query.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/DataEdit.h"
#include "widgets/DataGrid.h"
#include "widgets/DataNavigator.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

// The first entry of the pool, drawn as a draw screen draws it.
void DrawFirst(Connection& connection, const QString& table, WinnerFlag flag) {
    TableView pool(connection, {.table = table, .filter = kAvailableFilter, .sortKey = "Ordem"});
    Query winners(connection, PoolOfTable(table)->winnersSql());
    pool.open();
    winners.open();
    RecordWinner(pool, winners, flag);
}

QStringList ActionsAndEntries(Connection& connection) {
    QStringList rows;
    for (const RecordRow& row : ReadRecord(connection))
        rows << row.action + u' ' + row.entry.value_or("-") + u' ' +
                    QString::number(row.available.value_or(-1));
    return rows;
}

void Type(const char* text) {
    for (const char* c = text; *c; ++c)
        QTest::keyClick(QApplication::focusWidget(), *c);
}

template <class Window> std::unique_ptr<Window> Open(TestServices& fake, Connection& connection) {
    auto w = std::make_unique<Window>(nullptr, fake.context(connection));
    w->show();
    w->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.get()));
    return w;
}

TEST(EntryEdits, NumbersAndNamesChangedInTheEditorsAreRecordedAndTheRecordVerifies) {
    test::TempDatabase db;
    TestServices fake;
    test::AddNumbers(db, {{1, "aaaa"}, {2, "bbbb"}, {3, "cccc"}, {4, "dddd"}});
    DrawFirst(db.connection(), "TbNumero", WinnerFlag::OkPlaceAndActive);
    {
        auto w = Open<TFIncluirNumero>(fake, db.connection());
        w->DBGrid1->setFocus(); // on 2, the first number left
        Type("77");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        w->DBNavigator1->press(NavigatorButton::Post);
        QTest::keyClick(w->DBGrid1, Qt::Key_Insert);
        Type("55");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        w->DBNavigator1->press(NavigatorButton::Post);
        ASSERT_TRUE(w->TbNumero.locate("Numero", "3"));
        fake.dialogs.answerYes();
        QTest::keyClick(w->DBGrid1, Qt::Key_Delete, Qt::ControlModifier);
        // A number posted unchanged is no change of the pool.
        ASSERT_TRUE(w->TbNumero.locate("Numero", "77"));
        w->TbNumero.edit();
        w->TbNumero.field("Numero").setAsString("77");
        w->TbNumero.post();
    }
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error), QStringList());
    EXPECT_EQ(test::ColumnOf(db.connection(), "Numero"), QStringList({"1", "77", "4", "55"}));
    EXPECT_EQ(ActionsAndEntries(db.connection()),
              QStringList({"sorteio 1 4", "alteração 77 3", "inclusão 55 3", "remoção 3 4"}));

    db.exec("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES ('Ana', 'aaaa', 1, 0)");
    db.exec("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES ('Bia', 'bbbb', 1, 0)");
    db.exec("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES ('Caio', 'cccc', 1, 0)");
    DrawFirst(db.connection(), "TbNome", WinnerFlag::OkAndPlace); // Ana
    {
        auto w = Open<TFIncluirNomes>(fake, db.connection());
        w->DBEdit1->setFocus(); // on Bia
        w->DBEdit1->selectAll();
        QTest::keyClicks(w->DBEdit1, "Beatriz");
        w->DBNavigator1->press(NavigatorButton::Post);
    }
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error), QStringList());
    EXPECT_EQ(ActionsAndEntries(db.connection()).mid(4),
              QStringList({"sorteio Ana 3", "alteração Beatriz 2"}));
    const RecordCheck check = CheckRecord(db.connection());
    EXPECT_TRUE(check.holds) << check.problem.toStdString();
    EXPECT_EQ(check.rows, 6);
}

// Each row names the entry as the pool holds it, not as it was given: the
// record is what the minutes print and what the fingerprints are checked by.
TEST(EntryEdits, EachRecordRowNamesTheEntryAsThePoolStoresIt) {
    test::TempDatabase db;
    TestServices fake;
    db.exec("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) VALUES ('Ana', 'aaaa', 1, 1)");
    const QString given = QString::fromUtf8("Jo\u200Ba\u0303o ") + QString(52, u'x');
    const QString stored = (QString::fromUtf8("João ") + QString(52, u'x')).left(40);
    {
        TableView pool(db.connection(),
                       {.table = "TbNome", .filter = "Ok=True", .sortKey = "Nome"});
        TableView freeSlots(db.connection(),
                            {.table = "TbNome", .filter = "Ativo=False", .sortKey = "Nome"});
        pool.open();
        freeSlots.open();
        AddAvailableName(pool, freeSlots, given, fake.random, NameSource::Typed);
    }
    EXPECT_EQ(test::ColumnOf(db.connection(), "Nome", "TbNome"), QStringList({"Ana", stored}));
    {
        auto w = Open<TFIncluirNomes>(fake, db.connection());
        w->Edit1->setText(QString(57, u'M'));
        QTest::mouseClick(w->Button1, Qt::LeftButton);
        // A change of Ana still being typed when she is removed was never stored.
        ASSERT_TRUE(w->TbNome.locate("Nome", "Ana"));
        w->DBEdit1->setFocus();
        w->DBEdit1->selectAll();
        QTest::keyClicks(w->DBEdit1, "Anabela");
        fake.dialogs.answerYes();
        QTest::mouseClick(w->Button2, Qt::LeftButton);
        ASSERT_TRUE(w->TbNome.locate("Nome", stored));
        QTest::mouseClick(w->Button4, Qt::LeftButton);
        QTest::mouseClick(w->Button5, Qt::LeftButton);
    }
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Error), QStringList());
    EXPECT_EQ(
        ActionsAndEntries(db.connection()),
        QStringList({"inclusão " + stored + " 1", "inclusão " + QString(40, u'M') + " 2",
                     "remoção Ana 3", "retirada " + stored + " 2", "devolução " + stored + " 1"}));
    const RecordCheck check = CheckRecord(db.connection());
    EXPECT_TRUE(check.holds) << check.problem.toStdString();
}

} // namespace
} // namespace tiravo
