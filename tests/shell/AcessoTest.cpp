// The operators' list edited through the navigator and the grid.
#include "shell/Acesso.h"
#include "shell/Menu.h"
#include "store/TableView.h"
#include "support/ProgramDatabase.h"
#include "support/TestServices.h"
#include "widgets/DataGrid.h"
#include "widgets/DataNavigator.h"

#include <QApplication>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class AcessoTest : public testing::Test {
protected:
    void SetUp() override {
        db.exec("INSERT INTO Usuario (Nome, Senha) VALUES ('ana', 's1'), ('bruno', 'b2')");
        menu = std::make_unique<TFMenu>(fakes.programContext());
        window = std::make_unique<TFAcesso>(menu.get(), menu->context());
        window->show();
        QApplication::setActiveWindow(window.get());
        QTest::qWait(1);
    }
    QStringList stored() {
        TableView fresh(db.connection(), {.table = "Usuario"});
        fresh.open();
        QStringList rows;
        for (; !fresh.eof(); fresh.next())
            rows << fresh.field("Nome").asString() + u'/' + fresh.field("Senha").asString();
        return rows;
    }
    Dataset& users() { return menu->TbUsuario; }
    // Into whatever has the focus, a key at a time, as the operator types.
    static void type(const char* text) {
        for (const char* c = text; *c; ++c)
            QTest::keyClick(QApplication::focusWidget(), *c);
    }

    test::ProgramDatabase db;
    TestServices fakes;
    std::unique_ptr<TFMenu> menu;
    std::unique_ptr<TFAcesso> window;
};

TEST_F(AcessoTest, LooksAsDesigned) {
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Usuário - Nome e Senha"));
    EXPECT_EQ(window->size(), QSize(402, 444));
    EXPECT_EQ(window->DBNavigator1->geometry(), QRect(24, 32, 352, 40));
    EXPECT_EQ(window->DBGrid1->geometry(), QRect(24, 96, 353, 249));
    EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST_F(AcessoTest, PostWithoutNameIsRefusedAndWritesNothing) {
    window->DBNavigator1->press(NavigatorButton::Insert);
    users().field("Senha").setAsString("x");
    window->DBNavigator1->press(NavigatorButton::Post);
    EXPECT_EQ(fakes.dialogs.texts(DialogKind::Error),
              QStringList{"Field 'Nome' must have a value."});
    EXPECT_EQ(users().state(), DatasetState::Insert);
    window->DBNavigator1->press(NavigatorButton::Cancel);
    EXPECT_EQ(stored(), (QStringList{"ana/s1", "bruno/b2"}));
}

TEST_F(AcessoTest, NewOperatorIsCutToTheColumnWidths) {
    window->DBNavigator1->press(NavigatorButton::Insert);
    users().field("Nome").setAsString(QString(35, u'n'));
    users().field("Senha").setAsString(QString(25, u's'));
    window->DBNavigator1->press(NavigatorButton::Post);
    EXPECT_TRUE(stored().contains(QString(30, u'n') + u'/' + QString(20, u's')));
}

TEST_F(AcessoTest, DeleteAsksAndCancelKeepsTheRow) {
    fakes.dialogs.answerNo();
    window->DBNavigator1->press(NavigatorButton::Delete);
    EXPECT_EQ(stored().size(), 2);
    fakes.dialogs.answerYes();
    window->DBNavigator1->press(NavigatorButton::Delete);
    EXPECT_EQ(stored(), QStringList{"bruno/b2"});
    EXPECT_EQ(fakes.dialogs.texts(DialogKind::DeleteRecord).size(), 2);
}

TEST_F(AcessoTest, EscInTheGridDropsTheEditAndKeepsTheWindowOpen) {
    window->DBGrid1->setFocus();
    QTest::keyClicks(window->DBGrid1, "z");
    EXPECT_TRUE(users().editing());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_FALSE(users().editing());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(stored(), (QStringList{"ana/s1", "bruno/b2"}));
}

TEST_F(AcessoTest, ClosingStoresAPendingChangeOrLeavesItPendingAndClosesAllTheSame) {
    users().edit();
    users().field("Senha").setAsString("new");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(stored(), (QStringList{"ana/new", "bruno/b2"}));

    window = std::make_unique<TFAcesso>(menu.get(), menu->context());
    window->show();
    users().insert();
    users().field("Nome").setAsString("carla");
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(fakes.dialogs.texts(DialogKind::Error),
              QStringList{QStringLiteral("Field 'Senha' must have a value.")});
    // Nothing written, nothing dropped: the row waits in the main window's view.
    EXPECT_EQ(stored(), (QStringList{"ana/new", "bruno/b2"}));
    EXPECT_EQ(users().state(), DatasetState::Insert);

    window = std::make_unique<TFAcesso>(menu.get(), menu->context());
    window->show();
    users().field("Senha").setAsString("c3");
    window->DBNavigator1->press(NavigatorButton::Post);
    EXPECT_TRUE(stored().contains("carla/c3"));
}

TEST_F(AcessoTest, TabInTheGridGoesFromTheNameToThePassword) {
    window->DBGrid1->setFocus();
    QTest::keyClick(window->DBGrid1, Qt::Key_Insert);
    type("carla");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(window->DBGrid1->currentIndex().column(), 1);
    type("pw");
    // From the last cell Tab goes on to the next row, which stores this one.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(stored(), (QStringList{"ana/s1", "bruno/b2", "carla/pw"}));
    EXPECT_TRUE(fakes.dialogs.asked().isEmpty());
    EXPECT_EQ(window->DBGrid1->currentIndex(), window->DBGrid1->model()->index(1, 0));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(window->DBGrid1->currentIndex(), window->DBGrid1->model()->index(0, 1));
}

TEST_F(AcessoTest, DeletingEveryRowLetsTheEmptyLoginIn) {
    fakes.dialogs.answerYes();
    fakes.dialogs.answerYes();
    window->DBNavigator1->press(NavigatorButton::Delete);
    window->DBNavigator1->press(NavigatorButton::Delete);
    EXPECT_TRUE(stored().isEmpty());
}

} // namespace
} // namespace tiravo
