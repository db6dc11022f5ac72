// Filters meet whatever the file holds: other programs may write a text into
// a number column, and the view must say so instead of ending the program.
#include "store/FilterExpression.h"
#include "common/Error.h"
#include "store/TableView.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

const std::vector<Column> kColumns = {
    {"Numero", ColumnType::Integer, 0, false, {}},
    {"Foto", ColumnType::Text, 200, false, {}},
    {"Ok", ColumnType::Boolean, 0, false, {}},
};

QString refusalOf(const FilterExpression& filter, const std::vector<Value>& row) {
    try {
        filter.passes(row);
    } catch (const Error& error) {
        return error.message();
    }
    return QStringLiteral("<passed or not, without an error>");
}

TEST(FilterExpression, AValueOfAnotherKindInTheRowIsAClearError) {
    const FilterExpression number = FilterExpression::Parse("Numero >= 5", kColumns);
    EXPECT_TRUE(number.passes({std::int64_t{5}, QString(), true}));
    EXPECT_FALSE(number.passes({Value{}, QString(), true}));
    EXPECT_EQ(refusalOf(number, {QStringLiteral("abc"), QString(), true}),
              "The filter \"Numero >= 5\" cannot be used: column 'Numero' holds the text 'abc' "
              "in a row, not a value to compare with 5");

    const FilterExpression text = FilterExpression::Parse("Foto > ''", kColumns);
    EXPECT_TRUE(text.passes({Value{}, QStringLiteral("/a.jpg"), true}));
    EXPECT_EQ(refusalOf(text, {Value{}, std::int64_t{3}, true}),
              "The filter \"Foto > ''\" cannot be used: column 'Foto' holds a value that is not "
              "a text in a row");

    // A boolean meets the number its column may also hold.
    const FilterExpression flag = FilterExpression::Parse("Ok = True", kColumns);
    EXPECT_TRUE(flag.passes({Value{}, QString(), true}));
    EXPECT_FALSE(flag.passes({Value{}, QString(), false}));
}

TEST(FilterExpression, AViewOverATextInANumberColumnFailsToOpenAndChangesNothing) {
    test::TempDatabase db;
    db.exec("INSERT INTO TbNumero (Numero, Ok) VALUES (7, 1), ('sete', 1)");
    TableView all(db.connection(), {.table = "TbNumero"});
    all.open();
    EXPECT_EQ(all.recordCount(), 2);

    TableView view(db.connection(), {.table = "TbNumero", .filter = "Numero > 5"});
    try {
        view.open();
        ADD_FAILURE() << "opened";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains("'sete'")) << error.message().toStdString();
    }
    all.close();
    all.open();
    EXPECT_EQ(all.recordCount(), 2);
}

} // namespace
} // namespace tiravo
