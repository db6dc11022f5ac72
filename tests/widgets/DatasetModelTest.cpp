// The table model over a dataset, checked against Qt's rules while the
// dataset changes under it, and what it tells a view about each cell.
#include "widgets/DatasetModel.h"

#include "WidgetTesting.h"
#include "store/Query.h"
#include "store/TableView.h"
#include "support/FakeDialogs.h"
#include "support/TempDatabase.h"

#include <QAbstractItemModelTester>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class DatasetModelTest : public testing::Test {
protected:
    void SetUp() override {
        db.exec("INSERT INTO TbNumero (Numero, Ok, Ativo, Sorte) VALUES (7, 1, 0, NULL), "
                "(8, 1, 0, NULL), (9, 0, 1, 1)");
    }

    QString cell(int row, int column) const { return model.index(row, column).data().toString(); }

    test::TempDatabase db;
    FakeDialogs dialogs;
    DatasetModel model{nullptr, dialogs};
};

TEST_F(DatasetModelTest, KeepsQtsRulesWhileRowsJoinLeaveAndChange) {
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    TableView pool(db.connection(), {.table = "TbNumero",
                                     .columns = {"Cod", "Numero", "Ok"},
                                     .filter = "Ok = True",
                                     .formats = {{"Numero", "00"}}});
    model.setDataset(&pool);
    model.setColumns({{.field = "Numero"}, {.field = "Ok"}});
    EXPECT_EQ(model.rowCount(), 0);
    pool.open();
    ASSERT_EQ(model.rowCount(), 2);
    EXPECT_EQ(cell(0, 0), "07");
    EXPECT_EQ(cell(1, 1), "True");

    pool.insert();
    EXPECT_EQ(model.rowCount(), 3);
    pool.field("Numero").setAsInteger(5);
    EXPECT_EQ(cell(0, 0), "05");
    pool.field("Ok").setAsBoolean(true);
    pool.post();
    pool.next();
    pool.edit();
    pool.field("Ok").setAsBoolean(false);
    pool.post(); // the row leaves the filter
    EXPECT_EQ(model.rowCount(), 2);
    pool.first();
    pool.deleteRecord();
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(cell(0, 0), "08");
    pool.setFilter("");
    EXPECT_EQ(model.rowCount(), 3);
    pool.close();
    EXPECT_EQ(model.rowCount(), 0);
    EXPECT_TRUE(dialogs.asked().isEmpty());
}

TEST_F(DatasetModelTest, EveryFieldOfAQueryShowsOnceItIsOpen) {
    Query winners(db.connection(), {"Select *", "From TbNumero", "Where Ativo=True and Ok=False",
                                    "Order by Sorte Desc"});
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.setDataset(&winners);
    EXPECT_EQ(model.columnCount(), 0);
    winners.open();
    ASSERT_EQ(model.columnCount(), 6);
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "Numero");
    EXPECT_EQ(model.rowCount(), 1);
    EXPECT_EQ(cell(0, 1), "9");
    EXPECT_EQ(model.index(0, 1).data(Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    // The key is the store's to give.
    EXPECT_FALSE(model.flags(model.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_TRUE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
    model.setEditable(false);
    EXPECT_FALSE(model.flags(model.index(0, 1)) & Qt::ItemIsEditable);
}

} // namespace
} // namespace tiravo
