// The edit box bound to a field: it shows the current row and typing into it
// edits that row.
#include "widgets/DataEdit.h"

#include "WidgetTesting.h"
#include "store/TableView.h"
#include "support/FakeDialogs.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class DataEditTest : public testing::Test {
protected:
    void SetUp() override {
        db.exec("INSERT INTO TbNome (Nome, Ok) VALUES ('Bia', 1), ('Caio', 1)");
        names.open();
        edit.setField(&names, "Nome");
    }

    test::TempDatabase db;
    FakeDialogs dialogs;
    TableView names{db.connection(), {.table = "TbNome", .sortKey = "Nome"}};
    DataEdit edit{nullptr, dialogs};
};

TEST_F(DataEditTest, ShowsTheFieldOfTheCurrentRowAsTheCursorMoves) {
    EXPECT_EQ(edit.text(), "Bia");
    EXPECT_FALSE(edit.isReadOnly());
    EXPECT_EQ(edit.maxLength(), 40);
    names.next();
    EXPECT_EQ(edit.text(), "Caio");
    names.edit();
    names.field("Nome").setAsString("Caia");
    EXPECT_EQ(edit.text(), "Caia");
    names.cancel();
    EXPECT_EQ(edit.text(), "Caio");
    names.close();
    EXPECT_EQ(edit.text(), "");
    EXPECT_TRUE(edit.isReadOnly());
}

TEST_F(DataEditTest, TypingBeginsTheEditAndWritesTheField) {
    edit.show();
    edit.setFocus();
    edit.end(false);
    QTest::keyClicks(&edit, "na");
    EXPECT_EQ(names.state(), DatasetState::Edit);
    EXPECT_EQ(names.field("Nome").asString(), "Biana");
    // An empty text is a value of its own, not null.
    edit.selectAll();
    QTest::keyClick(&edit, Qt::Key_Delete);
    EXPECT_FALSE(names.field("Nome").isNull());
    QTest::keyClicks(&edit, "Bea");
    names.post();
    TableView fresh(db.connection(), {.table = "TbNome", .sortKey = "Nome"});
    fresh.open();
    EXPECT_EQ(fresh.field("Nome").asString(), "Bea");
    EXPECT_TRUE(dialogs.asked().isEmpty());
}

} // namespace
} // namespace tiravo
