// A table view over a real encrypted file: snapshot, cursor, filter, sort key,
// editing and the rules a post follows.
#include "store/TableView.h"
#include "common/Error.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class TableViewTest : public testing::Test {
protected:
    void SetUp() override {
        // Cod 1..5; number 3 has a null Ok and must stay out of "Ok = True".
        db.exec("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) VALUES "
                "(10, 'dddd', 1, 0), (20, 'bbbb', 1, 0), (30, 'aaaa', NULL, 0), "
                "(40, 'cccc', 1, 0), (50, 'eeee', 0, 1)");
    }

    ViewSpec pool() const {
        return {.table = "TbNumero", .filter = "Ok = True", .sortKey = "Ordem"};
    }

    std::vector<std::int64_t> numbersOf(TableView& view) {
        std::vector<std::int64_t> numbers;
        for (view.first(); !view.eof(); view.next())
            numbers.push_back(view.field("Numero").asInteger());
        return numbers;
    }

    test::TempDatabase db;
};

TEST_F(TableViewTest, OpensOnTheFirstRowOfItsFilterInSortOrder) {
    TableView view(db.connection(), pool());
    view.open();
    EXPECT_EQ(view.recordCount(), 3);
    EXPECT_FALSE(view.eof());
    EXPECT_EQ(view.field("Numero").asInteger(), 20);
    EXPECT_EQ(numbersOf(view), (std::vector<std::int64_t>{20, 40, 10}));
}

TEST_F(TableViewTest, NextOnTheLastRowSetsEndAndKeepsItsValues) {
    TableView view(db.connection(), pool());
    view.open();
    view.next();
    view.next();
    ASSERT_FALSE(view.eof());
    view.next();
    EXPECT_TRUE(view.eof());
    EXPECT_EQ(view.field("Numero").asInteger(), 10);
    view.next();
    EXPECT_TRUE(view.eof());
    EXPECT_EQ(view.recNo(), 2);
    view.first();
    EXPECT_FALSE(view.eof());
    EXPECT_EQ(view.field("Numero").asInteger(), 20);
}

TEST_F(TableViewTest, EmptyViewIsAtEndAndReadsEmptyTexts) {
    TableView image(db.connection(), {.table = "TbImage"});
    image.open();
    EXPECT_TRUE(image.eof());
    EXPECT_EQ(image.recordCount(), 0);
    EXPECT_EQ(image.field("TelaFundo").asString(), QString());
    image.first();
    EXPECT_TRUE(image.eof());
    // Editing an empty view begins its first row.
    image.edit();
    EXPECT_EQ(image.state(), DatasetState::Insert);
    image.field("Logo1").setAsString("/tmp/a.png");
    image.post();
    EXPECT_EQ(image.recordCount(), 1);
    EXPECT_EQ(image.field("Cod").asInteger(), 1);
}

TEST_F(TableViewTest, SnapshotShowsOnlyItsOwnChangesUntilReopened) {
    TableView a(db.connection(), pool());
    TableView b(db.connection(), pool());
    a.open();
    b.open();
    a.edit();
    a.field("Ok").setAsString("F");
    a.post();
    EXPECT_EQ(a.recordCount(), 2);
    EXPECT_EQ(b.recordCount(), 3);
    EXPECT_EQ(b.field("Numero").asInteger(), 20);
    db.exec("UPDATE TbNumero SET Ok = 1 WHERE Numero = 50");
    EXPECT_EQ(a.recordCount(), 2);
    b.close();
    b.open();
    EXPECT_EQ(numbersOf(b), (std::vector<std::int64_t>{40, 10, 50}));
}

TEST_F(TableViewTest, PostedRowThatLeavesTheFilterMovesTheCursorOn) {
    TableView view(db.connection(), pool());
    view.open();
    view.next(); // 40
    view.edit();
    view.field("Ok").setAsString("F");
    view.post();
    EXPECT_EQ(view.recordCount(), 2);
    EXPECT_EQ(view.field("Numero").asInteger(), 10); // the row that followed
    view.edit();
    view.field("Ok").setAsString("F");
    view.post();
    EXPECT_EQ(view.field("Numero").asInteger(), 20); // none followed: the one before
    view.edit();
    view.field("Ok").setAsBoolean(false);
    view.post();
    EXPECT_EQ(view.recordCount(), 0);
    EXPECT_TRUE(view.eof());
}

TEST_F(TableViewTest, FilterChangeAppliesAtOnceAndSameTextKeepsTheCursor) {
    TableView view(db.connection(), pool());
    view.open();
    view.next();
    view.setFilter("Ok = True");
    EXPECT_EQ(view.field("Numero").asInteger(), 40);
    view.setFilter("");
    EXPECT_EQ(view.recordCount(), 5);
    EXPECT_EQ(view.field("Numero").asInteger(), 30); // 'aaaa' sorts first
    view.setFilter("Ativo=False");
    EXPECT_EQ(view.recordCount(), 4);
    view.setFilter("Ok=True");
    EXPECT_EQ(view.recordCount(), 3);
}

TEST_F(TableViewTest, FilterTextsThatAreNoComparisonAreRefused) {
    TableView view(db.connection(), pool());
    view.open();
    view.next();
    for (const char* text : {"Ok == True", "Ok = Maybe", "Nada = 1", "Numero = 'x'",
                             "Ok = True and Ativo = False", "Ok"})
        EXPECT_THROW(view.setFilter(QString::fromLatin1(text)), Error) << text;
    EXPECT_EQ(view.filter(), QStringLiteral("Ok = True"));
    EXPECT_EQ(view.recordCount(), 3);
    EXPECT_EQ(view.field("Numero").asInteger(), 40);
}

TEST_F(TableViewTest, TextFiltersTellTheEmptyTextFromNull) {
    db.exec("INSERT INTO TbFoto (Foto, Ok) VALUES ('/a.jpg', 1), ('', NULL), (NULL, NULL)");
    TableView used(db.connection(), {.table = "TbFoto", .filter = "Foto > ''"});
    TableView free(db.connection(), {.table = "TbFoto", .filter = "Foto = ''"});
    used.open();
    free.open();
    EXPECT_EQ(used.recordCount(), 1);
    EXPECT_EQ(free.recordCount(), 1);
    EXPECT_EQ(free.field("Cod").asInteger(), 2);
}

TEST_F(TableViewTest, SortKeyChangePutsTheCursorOnTheFirstRowOfTheNewOrder) {
    TableView view(db.connection(), pool());
    view.open();
    view.next();
    view.setSortKey("Cod");
    EXPECT_EQ(view.field("Numero").asInteger(), 10);
    // Rewriting the sort column while sorted by another keeps every row in place.
    for (; !view.eof(); view.next()) {
        view.edit();
        view.field("Ordem").setAsString("zzzz");
    }
    EXPECT_EQ(view.state(), DatasetState::Browse);
    view.setSortKey("Ordem");
    EXPECT_EQ(view.field("Numero").asInteger(), 10);
    TableView fresh(db.connection(), pool());
    fresh.open();
    for (; !fresh.eof(); fresh.next())
        EXPECT_EQ(fresh.field("Ordem").asString(), QStringLiteral("zzzz"));
}

TEST_F(TableViewTest, MovingOffAnEditedRowStoresItAndAnUntouchedOneIsDropped) {
    TableView view(db.connection(), pool());
    view.open();
    view.edit();
    view.field("Numero").setAsString("21");
    view.next();
    EXPECT_EQ(view.state(), DatasetState::Browse);
    view.insert();
    view.next(); // nothing set: the new row is dropped
    EXPECT_EQ(view.recordCount(), 3);
    TableView fresh(db.connection(), {.table = "TbNumero"});
    fresh.open();
    EXPECT_EQ(fresh.recordCount(), 5);
    EXPECT_EQ(fresh.field("Numero").asInteger(), 10);
    fresh.next();
    EXPECT_EQ(fresh.field("Numero").asInteger(), 21);
}

TEST_F(TableViewTest, InsertRunsAfterInsertAndJoinsTheViewAtTheCursor) {
    TableView view(db.connection(), pool());
    int hooked = 0;
    view.afterInsert = [&](Dataset& d) {
        ++hooked;
        d.field("Ok").setAsString("T");
        d.field("Ordem").setAsString("abcdX"); // cut to four
    };
    view.open();
    view.next();
    view.insert();
    EXPECT_EQ(hooked, 1);
    EXPECT_EQ(view.recNo(), 1);
    EXPECT_EQ(view.recordCount(), 4);
    view.field("Numero").setAsInteger(99);
    view.post();
    EXPECT_EQ(view.field("Cod").asInteger(), 6);
    EXPECT_EQ(view.field("Ordem").asString(), QStringLiteral("abcd"));
    EXPECT_EQ(view.recordCount(), 4);
    view.insert();
    view.cancel();
    EXPECT_EQ(view.recordCount(), 4);
    EXPECT_EQ(view.field("Numero").asInteger(), 99);
}

TEST_F(TableViewTest, RequiredColumnLeftNullWritesNothingAndKeepsEditing) {
    TableView users(db.connection(), {.table = "Usuario"});
    users.open();
    users.insert();
    users.field("Nome").setAsString("ana");
    try {
        users.post();
        FAIL() << "posted without Senha";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Field 'Senha' must have a value"));
    }
    EXPECT_EQ(users.state(), DatasetState::Insert);
    users.field("Senha").setAsString(""); // the empty text is a value
    users.post();
    TableView numbers(db.connection(), {.table = "TbNumero", .required = {"Numero"}});
    numbers.open();
    numbers.insert();
    numbers.field("Ok").setAsString("T");
    EXPECT_THROW(numbers.post(), Error);
    numbers.cancel();
    TableView fresh(db.connection(), {.table = "Usuario"});
    fresh.open();
    EXPECT_EQ(fresh.recordCount(), 1);
    TableView all(db.connection(), {.table = "TbNumero"});
    all.open();
    EXPECT_EQ(all.recordCount(), 5);
}

TEST_F(TableViewTest, BeforePostMaySetValuesOrStopThePost) {
    TableView view(db.connection(), pool());
    view.beforePost = [](Dataset& d) {
        if (d.field("Numero").asInteger() == 13)
            throw Error("no thirteen");
        d.field("Ordem").setAsString("hook");
    };
    view.open();
    view.edit();
    view.field("Numero").setAsInteger(13);
    EXPECT_THROW(view.post(), Error);
    EXPECT_EQ(view.state(), DatasetState::Edit);
    view.field("Numero").setAsInteger(14);
    view.post();
    EXPECT_EQ(view.field("Ordem").asString(), QStringLiteral("hook"));
}

TEST_F(TableViewTest, DeleteRemovesTheRowAndMovesToTheNextElseThePrevious) {
    TableView view(db.connection(), pool());
    view.open();
    view.deleteRecord(); // 20
    EXPECT_EQ(view.field("Numero").asInteger(), 40);
    view.last();
    view.deleteRecord(); // 10
    EXPECT_EQ(view.field("Numero").asInteger(), 40);
    EXPECT_EQ(view.recordCount(), 1);
    TableView all(db.connection(), {.table = "TbNumero"});
    all.open();
    EXPECT_EQ(all.recordCount(), 3);
}

TEST_F(TableViewTest, LocateWholeValueAndCaseInsensitiveBeginning) {
    db.exec("INSERT INTO TbNome (Nome, Ok) VALUES ('Ana', 1), ('anabela', 1), ('Bruno', 1), "
            "('', 1), ('Carla', 0)");
    TableView names(db.connection(), {.table = "TbNome", .filter = "Ok=True", .sortKey = "Nome"});
    names.open();
    names.last();
    EXPECT_TRUE(names.locate("Nome", "Bruno"));
    EXPECT_EQ(names.field("Nome").asString(), QStringLiteral("Bruno"));
    EXPECT_FALSE(names.locate("Nome", "Carla")); // hidden by the filter
    EXPECT_FALSE(names.locate("Nome", "Bru"));
    EXPECT_EQ(names.field("Nome").asString(), QStringLiteral("Bruno"));
    const LocateOptions search{.caseInsensitive = true, .partialKey = true};
    EXPECT_TRUE(names.locate("Nome", "ANAB", search));
    EXPECT_EQ(names.field("Nome").asString(), QStringLiteral("anabela"));
    EXPECT_TRUE(names.locate("Nome", "", search)); // only the empty name
    EXPECT_EQ(names.field("Nome").asString(), QString());
    EXPECT_FALSE(names.locate("Nome", "x", search));
    EXPECT_EQ(names.field("Nome").asString(), QString());
}

TEST_F(TableViewTest, SettingValuesOutsideEditingIsRefused) {
    TableView view(db.connection(), pool());
    view.open();
    EXPECT_THROW(view.field("Ok").setAsString("F"), Error);
    view.edit();
    EXPECT_THROW(view.field("Cod").setAsInteger(9), Error);
    EXPECT_THROW(view.field("Ok").setAsString("x"), Error);
    EXPECT_FALSE(view.modified());
    EXPECT_THROW(view.field("Sorte").setAsInteger(40000), Error);
    view.cancel();
    TableView fresh(db.connection(), pool());
    fresh.open();
    EXPECT_TRUE(fresh.field("Sorte").isNull());
}

TEST_F(TableViewTest, NarrowerDeclaredWidthCutsWritesButReadsLongPathsWhole) {
    const QString longPath = u'/' + QString(180, u'p');
    db.exec(QStringLiteral("INSERT INTO TbImage (Logo1) VALUES ('%1')").arg(longPath));
    TableView strip(db.connection(),
                    {.table = "TbImage", .columns = {"Cod", {"Logo1", 150}, {"Logo2", 150}}});
    strip.open();
    EXPECT_EQ(strip.field("Logo1").asString(), longPath);
    strip.edit();
    strip.field("Logo2").setAsString(longPath);
    strip.post();
    EXPECT_EQ(strip.field("Logo2").asString().size(), 150);
}

TEST_F(TableViewTest, DisplayFormatOnlyWhereDeclared) {
    TableView screen(db.connection(), {.table = "TbNumero", .formats = {{"Numero", "00"}}});
    screen.open();
    db.exec("INSERT INTO TbNumero (Numero, Ok) VALUES (7, 1)");
    screen.close();
    screen.open();
    screen.last();
    EXPECT_EQ(screen.field("Numero").asString(), QStringLiteral("07"));
    TableView plain(db.connection(), {.table = "TbNumero"});
    plain.open();
    plain.last();
    EXPECT_EQ(plain.field("Numero").asString(), QStringLiteral("7"));
}

TEST_F(TableViewTest, UndeclaredColumnsAndTablesAreErrors) {
    EXPECT_THROW(TableView(db.connection(), {.table = "TbNada"}), Error);
    EXPECT_THROW(TableView(db.connection(), {.table = "TbNumero", .columns = {"Cod", "Nome"}}),
                 Error);
    TableView editor(db.connection(),
                     {.table = "TbNumero", .columns = {"Cod", "Numero", "Ordem", "Ok"}});
    editor.open();
    EXPECT_THROW(editor.field("Ativo"), Error);
}

} // namespace
} // namespace tiravo
