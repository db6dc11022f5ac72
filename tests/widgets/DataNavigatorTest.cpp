// The record navigator over a real view: which buttons the state allows, what
// each does, and its look.
#include "widgets/DataNavigator.h"

#include "WidgetTesting.h"
#include "store/TableView.h"
#include "support/FakeDialogs.h"
#include "support/TempDatabase.h"

#include <QToolButton>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using B = NavigatorButton;

class DataNavigatorTest : public testing::Test {
protected:
    void SetUp() override {
        db.exec("INSERT INTO Usuario (Nome, Senha) VALUES ('ana', 'a1'), ('rui', 'r2'), "
                "('eva', 'e3')");
        users.open();
        navigator.setGeometry(0, 0, 352, 40);
        navigator.setDataset(&users);
    }

    // The buttons enabled now, in the navigator's order, as one word each.
    QString enabled() const {
        static const std::pair<B, const char*> names[] = {
            {B::First, "first"},   {B::Prior, "prior"},    {B::Next, "next"}, {B::Last, "last"},
            {B::Insert, "insert"}, {B::Delete, "delete"},  {B::Edit, "edit"}, {B::Post, "post"},
            {B::Cancel, "cancel"}, {B::Refresh, "refresh"}};
        QStringList on;
        for (const auto& [which, name] : names)
            if (navigator.button(which)->isEnabled())
                on << QString::fromLatin1(name);
        return on.join(u' ');
    }

    int stored() {
        TableView fresh(db.connection(), {.table = "Usuario"});
        fresh.open();
        return fresh.recordCount();
    }

    test::TempDatabase db;
    FakeDialogs dialogs;
    TableView users{db.connection(), {.table = "Usuario"}};
    DataNavigator navigator{nullptr, dialogs};
};

TEST_F(DataNavigatorTest, ButtonsAreEnabledAsTheStateAllows) {
    EXPECT_EQ(enabled(), "next last insert delete edit refresh");
    QTest::mouseClick(navigator.button(B::Next), Qt::LeftButton);
    EXPECT_EQ(users.recNo(), 1);
    EXPECT_EQ(enabled(), "first prior next last insert delete edit refresh");
    navigator.press(B::Last);
    EXPECT_EQ(enabled(), "first prior insert delete edit refresh");
    navigator.press(B::Edit);
    EXPECT_EQ(enabled(), "first prior post cancel");
    navigator.press(B::Cancel);
    users.moveTo(0);
    EXPECT_EQ(enabled(), "next last insert delete edit refresh");

    users.close();
    EXPECT_EQ(enabled(), "");
    TableView empty(db.connection(), {.table = "TbNumero"});
    empty.open();
    navigator.setDataset(&empty);
    EXPECT_EQ(enabled(), "insert edit refresh");
    // A disabled button does nothing, pressed or clicked.
    navigator.press(B::Delete);
    EXPECT_TRUE(dialogs.asked().isEmpty());
}

TEST_F(DataNavigatorTest, DeleteAsksFirstAndDeletesOnlyOnOk) {
    dialogs.answerNo();
    navigator.press(B::Delete);
    EXPECT_EQ(dialogs.texts(DialogKind::DeleteRecord), QStringList{"Delete record?"});
    EXPECT_EQ(stored(), 3);
    dialogs.answerYes();
    navigator.press(B::Delete);
    EXPECT_EQ(stored(), 2);
    EXPECT_EQ(users.field("Nome").asString(), "rui");
}

TEST_F(DataNavigatorTest, RefusedPostShowsTheErrorAndLeavesTheRowToMendOrCancel) {
    navigator.press(B::Insert);
    ASSERT_EQ(users.state(), DatasetState::Insert);
    navigator.press(B::Post);
    EXPECT_EQ(dialogs.texts(DialogKind::Error), QStringList{"Field 'Nome' must have a value."});
    EXPECT_EQ(users.state(), DatasetState::Insert);
    EXPECT_EQ(enabled(), "first prior next last post cancel");
    navigator.press(B::Cancel);
    EXPECT_EQ(users.state(), DatasetState::Browse);
    EXPECT_EQ(users.recordCount(), 3);
    EXPECT_EQ(stored(), 3);
}

TEST_F(DataNavigatorTest, RefreshReadsWhatAnotherProgramWroteAndStaysOnTheRow) {
    users.moveTo(1);
    db.exec("INSERT INTO Usuario (Nome, Senha) VALUES ('ivo', 'i4')");
    navigator.press(B::Refresh);
    EXPECT_EQ(users.recordCount(), 4);
    EXPECT_EQ(users.field("Nome").asString(), "rui");
}

TEST_F(DataNavigatorTest, ShownButtonsShareTheWidthInOrderWithTheirHints) {
    // The number editor's navigator: seven buttons, 287 wide.
    navigator.setGeometry(0, 0, 287, 32);
    navigator.setButtons({B::First, B::Prior, B::Next, B::Last, B::Insert, B::Post, B::Cancel});
    navigator.setHints({{B::Post, "Gravar"}});
    int left = 0;
    for (B which : {B::First, B::Prior, B::Next, B::Last, B::Insert, B::Post, B::Cancel}) {
        const QRect place = navigator.button(which)->geometry();
        EXPECT_EQ(place.left(), left);
        EXPECT_NEAR(place.width(), 41, 1);
        EXPECT_EQ(place.height(), 32);
        left = place.right() + 1;
    }
    EXPECT_EQ(left, 287);
    EXPECT_TRUE(navigator.button(B::Delete)->isHidden());
    EXPECT_EQ(navigator.button(B::First)->toolTip(), "First record");
    EXPECT_EQ(navigator.button(B::Cancel)->toolTip(), "Cancel edit");
    EXPECT_EQ(navigator.button(B::Post)->toolTip(), "Gravar");
    // A button not shown cannot be pressed.
    navigator.press(B::Delete);
    EXPECT_TRUE(dialogs.asked().isEmpty());
}

} // namespace
} // namespace tiravo
