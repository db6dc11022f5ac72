// Entries typed into the editors by hand go into the record with the draws,
// so that the record goes on telling what the pools hold.
#include "../draws/PoolRows.h"
#include "draws/IncluirNomes.h"
#include "draws/IncluirNumero.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PoolEntry.h"
#include "draws/model/RecordChain.h"
#include "draws/model/RecordCheck.h"
#include "store/Query.h"
#include "support/TestServices.h"
#include "widgets/DataEdit.h"
#include "widgets/DataGrid.h"
#include "widgets/DataNavigator.h"

#include <QApplication>
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

} // namespace
} // namespace tiravo
