// The keys every window shares: key preview, Enter, and the arrows reaching
// controls that Tab does not.
#include "widgets/KeyboardConventions.h"

#include "WidgetTesting.h"

#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

// A window laid out as the draw screen's left column: a visible button, one
// placed below the visible client area, one that is no tab stop, a hidden
// and a disabled one, and a line edit.
class KeyboardConventionsTest : public testing::Test {
protected:
    void SetUp() override {
        window.resize(400, 516);
        first = button("first", 10, 10);
        outside = button("outside", 200, 608);
        clickOnly = button("clickOnly", 10, 50);
        clickOnly->setFocusPolicy(Qt::ClickFocus);
        hidden = button("hidden", 10, 90);
        hidden->hide();
        disabled = button("disabled", 10, 130);
        disabled->setEnabled(false);
        edit = new QLineEdit(&window);
        edit->setGeometry(10, 170, 100, 24);
    }

    QPushButton* button(const char* name, int x, int y) {
        auto* made = new QPushButton(QString::fromLatin1(name), &window);
        made->setObjectName(QString::fromLatin1(name));
        made->setGeometry(x, y, 100, 25);
        return made;
    }

    void start(KeyboardOptions options = {}) {
        new KeyboardConventions(&window, std::move(options));
        ASSERT_TRUE(test::ShowActive(window));
        first->setFocus();
    }

    QString focused() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? (focus->objectName().isEmpty()
                            ? QString::fromLatin1(focus->metaObject()->className())
                            : focus->objectName())
                     : QString();
    }

    QDialog window;
    QPushButton* first = nullptr;
    QPushButton* outside = nullptr;
    QPushButton* clickOnly = nullptr;
    QPushButton* hidden = nullptr;
    QPushButton* disabled = nullptr;
    QLineEdit* edit = nullptr;
};

TEST_F(KeyboardConventionsTest, ArrowsReachEveryControlThatTakesFocusTabOnlyTheTabStops) {
    start();
    ASSERT_EQ(focused(), "first");
    test::PressOnFocus(Qt::Key_Down);
    EXPECT_EQ(focused(), "outside");
    test::PressOnFocus(Qt::Key_Right);
    EXPECT_EQ(focused(), "clickOnly");
    test::PressOnFocus(Qt::Key_Down);
    EXPECT_EQ(focused(), "QLineEdit");
    // The line edit keeps its arrows.
    test::PressOnFocus(Qt::Key_Up);
    EXPECT_EQ(focused(), "QLineEdit");

    clickOnly->setFocus();
    test::PressOnFocus(Qt::Key_Up);
    EXPECT_EQ(focused(), "outside");
    test::PressOnFocus(Qt::Key_Left);
    EXPECT_EQ(focused(), "first");

    test::PressOnFocus(Qt::Key_Tab);
    EXPECT_EQ(focused(), "outside");
    test::PressOnFocus(Qt::Key_Tab);
    EXPECT_EQ(focused(), "QLineEdit");
    test::PressOnFocus(Qt::Key_Backtab);
    EXPECT_EQ(focused(), "outside");
}

TEST_F(KeyboardConventionsTest, NeighbourSkipsHiddenDisabledAndTheInsidesOfCompounds) {
    auto* spin = new QSpinBox(&window);
    spin->setGeometry(10, 210, 80, 24);
    EXPECT_EQ(KeyboardConventions::neighbour(&window, edit, true), spin);
    EXPECT_EQ(KeyboardConventions::neighbour(&window, spin, true), first);
    EXPECT_EQ(KeyboardConventions::neighbour(&window, first, false), spin);
}

TEST_F(KeyboardConventionsTest, EnterAndSpacePressTheFocusedButtonWhereverItIs) {
    auto* tool = new QToolButton(&window);
    tool->setGeometry(150, 10, 30, 30);
    tool->setFocusPolicy(Qt::TabFocus);
    start();
    QSignalSpy outsideClicks(outside, &QPushButton::clicked);
    QSignalSpy toolClicks(tool, &QToolButton::clicked);
    outside->setFocus();
    test::PressOnFocus(Qt::Key_Return);
    test::PressOnFocus(Qt::Key_Enter, Qt::KeypadModifier);
    test::PressOnFocus(Qt::Key_Space);
    EXPECT_EQ(outsideClicks.count(), 3);
    tool->setFocus();
    test::PressOnFocus(Qt::Key_Return);
    test::PressOnFocus(Qt::Key_Space);
    EXPECT_EQ(toolClicks.count(), 2);
    // Enter in an edit of a window where Enter does not move the focus.
    edit->setFocus();
    test::PressOnFocus(Qt::Key_Return);
    EXPECT_EQ(focused(), "QLineEdit");
}

TEST_F(KeyboardConventionsTest, WhereEnterMovesTheFocusItStillPressesAButton) {
    start({.enterMovesFocus = true});
    QSignalSpy firstClicks(first, &QPushButton::clicked);
    edit->setFocus();
    test::TypeIntoFocus("ab");
    test::PressOnFocus(Qt::Key_Return);
    EXPECT_EQ(focused(), "first");
    EXPECT_EQ(firstClicks.count(), 0);
    test::PressOnFocus(Qt::Key_Return);
    EXPECT_EQ(firstClicks.count(), 1);
    edit->setFocus();
    test::PressOnFocus(Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(focused(), "outside");
    EXPECT_EQ(edit->text(), "ab");
}

TEST_F(KeyboardConventionsTest, KeyPreviewSeesEachKeyOnceAndFirstEvenInLaterControls) {
    QStringList seen;
    start({.keyPreview = [&](QKeyEvent* key) {
        seen << QKeySequence(key->key()).toString();
        return key->key() == Qt::Key_Escape || key->key() == Qt::Key_X;
    }});
    auto* later = new QLineEdit(&window);
    later->setGeometry(10, 250, 100, 24);
    later->show();
    later->setFocus();
    test::TypeIntoFocus("axb");
    EXPECT_EQ(later->text(), "ab");
    // Swallowed, so the dialog's own Esc, which would reject it, never runs.
    test::PressOnFocus(Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    // F5 is taken by no control and travels up to the window: still once.
    test::PressOnFocus(Qt::Key_F5);
    EXPECT_EQ(seen, (QStringList{"A", "X", "B", "Esc", "F5"}));
}

} // namespace
} // namespace tiravo
