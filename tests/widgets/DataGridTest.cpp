// The grid over a real view: the cursor both ways, typing, posting on leaving
// a row, Esc, Insert, Ctrl+Delete and the errors of the store.
#include "widgets/DataGrid.h"

#include "WidgetTesting.h"
#include "platform/ui/MessageBoxDialogs.h"
#include "store/TableView.h"
#include "support/FakeDialogs.h"
#include "support/TempDatabase.h"
#include "widgets/DataNavigator.h"

#include <QDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using test::PressOnFocus;
using test::TypeIntoFocus;

class DataGridTest : public testing::Test {
protected:
    void SetUp() override {
        db.exec("INSERT INTO TbNumero (Numero, Ok) VALUES (10, 1), (20, 1), (30, 1)");
        db.exec("INSERT INTO Usuario (Nome, Senha) VALUES ('ana', 'a1'), ('rui', 'r2')");
        numbers.open();
        users.open();
        window.resize(320, 300);
        grid = new DataGrid(&window, dialogs);
        grid->setGeometry(0, 0, 320, 300);
        bind(numbers, {{.field = "Numero", .title = "Numero", .width = 120}});
        ASSERT_TRUE(test::ShowActive(window));
        grid->setFocus();
    }

    void bind(Dataset& view, std::vector<GridColumn> columns) {
        grid->setDataset(&view);
        grid->setColumns(std::move(columns));
    }

    void clickRow(int row) {
        const QRect cell = grid->visualRect(grid->model()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    }

    // What another window opening the table now would read, by Cod.
    std::vector<std::int64_t> storedNumbers() {
        TableView fresh(db.connection(), {.table = "TbNumero"});
        fresh.open();
        std::vector<std::int64_t> stored;
        for (fresh.first(); !fresh.eof(); fresh.next())
            stored.push_back(fresh.field("Numero").asInteger());
        return stored;
    }

    int storedUsers() {
        TableView fresh(db.connection(), {.table = "Usuario"});
        fresh.open();
        return fresh.recordCount();
    }

    QStringList errors() const { return dialogs.texts(DialogKind::Error); }

    test::TempDatabase db;
    FakeDialogs dialogs;
    TableView numbers{db.connection(), {.table = "TbNumero", .columns = {"Cod", "Numero", "Ok"}}};
    TableView users{db.connection(), {.table = "Usuario"}};
    QDialog window;
    DataGrid* grid = nullptr;
};

TEST_F(DataGridTest, CurrentRowFollowsTheCursorBothWays) {
    numbers.moveTo(2);
    EXPECT_EQ(grid->currentIndex().row(), 2);
    clickRow(0);
    EXPECT_EQ(numbers.recNo(), 0);
    PressOnFocus(Qt::Key_Down);
    EXPECT_EQ(numbers.recNo(), 1);
    numbers.last();
    EXPECT_EQ(grid->currentIndex().row(), 2);
    // Down on the last row neither moves nor begins a row.
    PressOnFocus(Qt::Key_Down);
    EXPECT_EQ(numbers.recordCount(), 3);
    EXPECT_EQ(numbers.state(), DatasetState::Browse);
    EXPECT_TRUE(dialogs.asked().isEmpty());
}

TEST_F(DataGridTest, TypedNumberIsPostedWhenTheCursorLeavesTheRow) {
    TypeIntoFocus("42");
    EXPECT_EQ(numbers.state(), DatasetState::Edit);
    // Only whole numbers go into a number cell.
    TypeIntoFocus("x");
    PressOnFocus(Qt::Key_Down);
    EXPECT_EQ(numbers.state(), DatasetState::Browse);
    EXPECT_EQ(numbers.recNo(), 1);
    EXPECT_EQ(storedNumbers(), (std::vector<std::int64_t>{42, 20, 30}));
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "42");
    EXPECT_TRUE(dialogs.asked().isEmpty());
}

TEST_F(DataGridTest, ClickingBelowTheRowsClosesTheCellKeepingItsText) {
    TypeIntoFocus("42");
    const int last = grid->model()->rowCount() - 1;
    const int below = grid->rowViewportPosition(last) + grid->rowHeight(last) + 5;
    ASSERT_LT(below, grid->viewport()->height());
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(40, below));
    EXPECT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(numbers.field("Numero").asInteger(), 42);
    EXPECT_EQ(numbers.state(), DatasetState::Edit);
}

TEST_F(DataGridTest, EscDropsTheEditAndNeverClosesTheDialog) {
    // Esc inside the open cell.
    TypeIntoFocus("7");
    PressOnFocus(Qt::Key_Escape);
    EXPECT_EQ(numbers.state(), DatasetState::Browse);
    EXPECT_EQ(grid->model()->index(0, 0).data().toString(), "10");
    // Esc in the grid, after Enter has closed the cell but not the row.
    TypeIntoFocus("8");
    PressOnFocus(Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), grid);
    EXPECT_EQ(numbers.field("Numero").asInteger(), 8);
    PressOnFocus(Qt::Key_Escape);
    EXPECT_EQ(numbers.state(), DatasetState::Browse);
    EXPECT_EQ(numbers.field("Numero").asInteger(), 10);
    // And with nothing to drop.
    PressOnFocus(Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(storedNumbers(), (std::vector<std::int64_t>{10, 20, 30}));
}

TEST_F(DataGridTest, CtrlDeleteDeletesTheCurrentRowOnlyOnOk) {
    numbers.moveTo(1);
    dialogs.answerNo();
    PressOnFocus(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(dialogs.texts(DialogKind::DeleteRecord), QStringList{"Delete record?"});
    EXPECT_EQ(storedNumbers().size(), 3u);

    dialogs.answerYes();
    PressOnFocus(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedNumbers(), (std::vector<std::int64_t>{10, 30}));
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->currentIndex().row(), numbers.recNo());

    // From inside an open cell, too.
    dialogs.answerYes();
    TypeIntoFocus("5");
    PressOnFocus(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(storedNumbers().size(), 1u);
    EXPECT_EQ(numbers.state(), DatasetState::Browse);
}

TEST_F(DataGridTest, RefusedPostShowsTheErrorAndKeepsTheRowInEditing) {
    bind(users, {{.field = "Nome", .title = "Nome"}, {.field = "Senha", .title = "Senha"}});
    PressOnFocus(Qt::Key_Insert);
    ASSERT_EQ(users.state(), DatasetState::Insert);
    ASSERT_EQ(grid->model()->rowCount(), 3);
    TypeIntoFocus("eva");
    clickRow(2);
    EXPECT_EQ(errors(), QStringList{"Field 'Senha' must have a value."});
    EXPECT_EQ(users.state(), DatasetState::Insert);
    EXPECT_EQ(users.recNo(), 0);
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(storedUsers(), 2);

    // Mended, the same move posts it.
    PressOnFocus(Qt::Key_Right);
    TypeIntoFocus("e5");
    PressOnFocus(Qt::Key_Down);
    EXPECT_EQ(users.state(), DatasetState::Browse);
    EXPECT_EQ(users.recNo(), 1);
    EXPECT_EQ(storedUsers(), 3);
    EXPECT_EQ(errors().size(), 1);
}

TEST_F(DataGridTest, RefusedTextStaysInTheCellAndTheCursorOnItsRow) {
    TypeIntoFocus("-");
    PressOnFocus(Qt::Key_Down);
    EXPECT_EQ(errors(), QStringList{"'-' is not a valid integer value for field 'Numero'"});
    EXPECT_EQ(numbers.recNo(), 0);
    EXPECT_EQ(numbers.state(), DatasetState::Edit);
    auto* cell = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(), "-");

    TypeIntoFocus("5");
    PressOnFocus(Qt::Key_Down);
    EXPECT_EQ(numbers.recNo(), 1);
    EXPECT_EQ(storedNumbers(), (std::vector<std::int64_t>{-5, 20, 30}));
}

TEST_F(DataGridTest, ARealErrorBoxTakingTheFocusFromTheCellShowsOnce) {
    MessageBoxDialogs real;
    auto* shown = new DataGrid(&window, real);
    shown->setGeometry(0, 0, 320, 300);
    shown->setDataset(&numbers);
    shown->setColumns({{.field = "Numero"}});
    shown->show();
    shown->setFocus();
    int boxes = 0;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            ++boxes;
            box->accept();
        }
    });
    closer.start(5);
    // Enter commits while the cell still has the focus, which the box takes.
    TypeIntoFocus("-");
    PressOnFocus(Qt::Key_Return);
    QTest::qWait(40);
    EXPECT_EQ(boxes, 1);
    ASSERT_TRUE(test::ShowActive(window));
    auto* cell = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->text(), "-");
    PressOnFocus(Qt::Key_Down);
    QTest::qWait(40);
    EXPECT_EQ(boxes, 2);
    EXPECT_EQ(numbers.recNo(), 0);
    EXPECT_EQ(numbers.state(), DatasetState::Edit);
}

TEST_F(DataGridTest, LeavingAnUntouchedNewRowDropsItAndLandsOnTheRowChosen) {
    numbers.moveTo(1);
    PressOnFocus(Qt::Key_Insert);
    ASSERT_EQ(numbers.recordCount(), 4);
    ASSERT_EQ(grid->currentIndex().row(), 1);
    // The row below the new one is the 20, which moves up when it goes.
    PressOnFocus(Qt::Key_Down);
    EXPECT_EQ(numbers.recordCount(), 3);
    EXPECT_EQ(numbers.field("Numero").asInteger(), 20);
    EXPECT_EQ(grid->currentIndex().row(), numbers.recNo());
    EXPECT_EQ(storedNumbers().size(), 3u);
}

TEST_F(DataGridTest, ReadOnlyGridSelectsRowsAndChangesNothing) {
    grid->setGridReadOnly(true);
    EXPECT_EQ(grid->selectionBehavior(), QAbstractItemView::SelectRows);
    TypeIntoFocus("5");
    PressOnFocus(Qt::Key_Insert);
    PressOnFocus(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(numbers.state(), DatasetState::Browse);
    EXPECT_EQ(numbers.recordCount(), 3);
    EXPECT_TRUE(dialogs.asked().isEmpty());
    // Its cursor still follows a click: the selected winner is the current one.
    clickRow(2);
    EXPECT_EQ(numbers.recNo(), 2);
}

TEST_F(DataGridTest, NavigatorPostTakesTheTextStillOpenInACell) {
    DataNavigator navigator(&window, dialogs);
    navigator.setDataset(&numbers);
    TypeIntoFocus("77");
    ASSERT_NE(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);
    navigator.press(NavigatorButton::Post);
    EXPECT_EQ(numbers.state(), DatasetState::Browse);
    EXPECT_EQ(storedNumbers(), (std::vector<std::int64_t>{77, 20, 30}));
}

TEST_F(DataGridTest, TheCursorsRowIsMarkedBesideItInEveryState) {
    QHeaderView* marks = grid->verticalHeader();
    const auto marked = [marks](int row) {
        const QImage shot = marks->grab().toImage();
        const int top = marks->sectionViewportPosition(row);
        for (int y = top; y < top + marks->sectionSize(row); ++y)
            for (int x = 0; x < shot.width(); ++x)
                if (shot.pixelColor(x, y).lightness() < 80)
                    return true;
        return false;
    };
    numbers.moveTo(1);
    EXPECT_TRUE(marked(1));
    EXPECT_FALSE(marked(0));
    numbers.edit();
    EXPECT_TRUE(marked(1));
    numbers.insert();
    EXPECT_TRUE(marked(1));
    EXPECT_FALSE(marked(2));
}

TEST_F(DataGridTest, RowsAreAsHighAsTheLargestColumnFontNeeds) {
    const QFont cells("Sans", 30);
    bind(numbers, {{.field = "Numero", .title = "Premiados", .width = 152, .font = cells}});
    EXPECT_EQ(grid->columnWidth(0), 152);
    EXPECT_GE(grid->rowHeight(0), QFontMetrics(cells).height());
}

} // namespace
} // namespace tiravo
