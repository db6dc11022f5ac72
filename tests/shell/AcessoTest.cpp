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
        menu = std::make_unique<TFMenu>(fakes.services());
        window = std::make_unique<TFAcesso>(menu.get());
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

TEST_F(AcessoTest, ClosingStoresAPendingChangeOrStaysOpenToMendIt) {
    users().edit();
    users().field("Senha").setAsString("new");
    EXPECT_TRUE(window->close());
    EXPECT_EQ(stored(), (QStringList{"ana/new", "bruno/b2"}));

    window = std::make_unique<TFAcesso>(menu.get());
    window->show();
    users().insert();
    users().field("Nome").setAsString("carla");
    EXPECT_FALSE(window->close());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(fakes.dialogs.texts(DialogKind::Error).last(),
              QStringLiteral("Field 'Senha' must have a value."));
    users().cancel();
    EXPECT_TRUE(window->close());
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
