// Locate through the index must answer what a walk over the shown rows would,
// after every kind of change a view makes to its rows.
#include "store/TableView.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>

namespace tiravo {
namespace {

// Accents, case and a letter that sorts as two ("æ" as "ae") put names where
// a search must look past its first candidates.
const QStringList kNames = {"Ana",   "ana",    "ANA",    "Anabela", "Bia",       "bianca",
                            "João",  "JOÃO",   "Jo",     "Zé",      "zeca",      "",
                            "Ana ",  "Ângela", "angela", "Lúcia",   "Lucas",     "Luís",
                            "Sônia", "Sophia", "læx",    "laf",     "Jose\u0301"};
const QStringList kProbes = {"Ana", "ana", "an", "AN", "Bia",  "b",    "jo",   "JOÃ",  "João",
                             "zé",  "Zé",  "",   "x",  "Ana ", "Anab", "âng",  "ANG",  "lu",
                             "lú",  "luí", "so", "sô", "la",   "læ",   "jose", "JOSÉ", "Luís"};

const LocateOptions kWhole{};
const LocateOptions kSearch{.caseInsensitive = true, .partialKey = true};

// The first shown row that matches, found the long way.
std::optional<int> Expected(const TableView& view, const QString& value, LocateOptions options) {
    const int nome = view.fieldIndex("Nome");
    for (int place = 0; place < view.recordCount(); ++place) {
        const QString cell = view.displayText(place, static_cast<std::size_t>(nome));
        const bool matches =
            options.partialKey && !value.isEmpty()
                ? cell.startsWith(value, Qt::CaseInsensitive)
                : cell.compare(value, options.caseInsensitive ? Qt::CaseInsensitive
                                                              : Qt::CaseSensitive) == 0;
        if (matches)
            return place;
    }
    return std::nullopt;
}

class LocateIndexTest : public testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 40; ++i)
            db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ok, Ativo) VALUES ('%1', 1, 1)")
                        .arg(kNames[i % kNames.size()]));
    }

    // Every probe, both ways, against the long way; the cursor moves only
    // when a row is found.
    void checkEveryProbe(TableView& view, const std::string& after) {
        for (const QString& probe : kProbes)
            for (const LocateOptions options : {kWhole, kSearch}) {
                const std::optional<int> expected = Expected(view, probe, options);
                const int before = view.recNo();
                const bool found = view.locate("Nome", probe, options);
                ASSERT_EQ(found, expected.has_value())
                    << after << ": '" << probe.toStdString() << "' " << options.partialKey;
                ASSERT_EQ(view.recNo(), expected ? *expected : before)
                    << after << ": '" << probe.toStdString() << "' " << options.partialKey;
            }
    }

    test::TempDatabase db;
};

TEST_F(LocateIndexTest, AnswersAsAWalkOverTheRowsAfterEveryChange) {
    TableView view(
        db.connection(),
        {.table = "TbNome", .filter = "Ok=True", .sortKey = "Nome", .required = {"Nome"}});
    view.open();
    checkEveryProbe(view, "opened");
    std::mt19937 random(20261209);
    const auto pick = [&random](int n) { return static_cast<int>(random() % n); };
    const auto someName = [&] { return kNames[pick(static_cast<int>(kNames.size()))]; };
    // Enough changes that the places are read afresh several times over.
    for (int step = 0; step < 1500; ++step) {
        std::string what;
        switch (pick(9)) {
        case 0:
        case 1:
            what = "insert";
            view.insert();
            view.field("Nome").setAsString(someName());
            view.field("Ok").setAsString("T");
            view.post();
            break;
        case 2:
            what = "rename";
            if (view.recordCount() > 0) {
                view.edit();
                view.field("Nome").setAsString(someName());
                view.post();
            }
            break;
        case 3:
            what = "leave the filter";
            if (view.recordCount() > 0) {
                view.edit();
                view.field("Ok").setAsString("F");
                view.post();
            }
            break;
        case 4:
            what = "delete";
            if (view.recordCount() > 0)
                view.deleteRecord();
            break;
        case 5:
            what = "insert dropped";
            view.insert();
            view.field("Nome").setAsString(someName());
            view.cancel();
            break;
        case 6:
            what = "move";
            if (view.recordCount() > 0)
                view.moveTo(pick(view.recordCount()));
            break;
        case 7:
            what = "rename pending";
            if (view.recordCount() > 0) {
                // Locate posts it before it looks.
                view.edit();
                view.field("Nome").setAsString(someName());
            }
            break;
        default:
            if (pick(10) == 0) {
                what = "filter";
                view.setFilter(view.filter() == "Ok=True" ? "Ativo=True" : "Ok=True");
            } else if (pick(10) == 0) {
                what = "reopen";
                view.close();
                view.open();
            } else {
                what = "nothing";
            }
            break;
        }
        if (view.editing()) {
            // The walk reads the edited row as edited; Locate stores it first.
            view.locate("Nome", "no such name");
            ASSERT_FALSE(view.editing());
        }
        checkEveryProbe(view, "step " + std::to_string(step) + " after " + what);
    }
}

TEST_F(LocateIndexTest, NullIsNeverFoundAndTheEmptyTextOnlyByItself) {
    db.exec("DELETE FROM TbNome");
    db.exec("INSERT INTO TbNome (Nome, Ok, Ativo) VALUES (NULL, 1, 1), ('', 1, 1), ('Bia', 1, 1)");
    TableView view(db.connection(), {.table = "TbNome", .filter = "Ok=True", .sortKey = "Nome"});
    view.open();
    ASSERT_TRUE(view.field("Nome").isNull()); // null sorts first
    view.last();
    ASSERT_TRUE(view.locate("Nome", "", kSearch));
    EXPECT_FALSE(view.field("Nome").isNull());
    EXPECT_EQ(view.field("Nome").asString(), "");
    view.edit();
    view.field("Nome").setAsString("Rosa");
    view.post();
    view.last();
    EXPECT_FALSE(view.locate("Nome", "", kWhole)); // the only empty one was renamed
    EXPECT_EQ(view.recNo(), view.recordCount() - 1);
}

// Locate in a sorted view folds one unit of a text at a time, where the sort
// folds the whole text: the two must agree on every character of the plane.
TEST(LocateFolding, EachCharacterFoldsAloneAsInAText) {
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const QString alone = QString(QChar(static_cast<char16_t>(c))).toCaseFolded();
        ASSERT_EQ(alone.size(), 1) << std::hex << static_cast<unsigned>(c);
        ASSERT_EQ(alone.at(0).unicode(), QChar::toCaseFolded(c))
            << std::hex << static_cast<unsigned>(c);
    }
}

} // namespace
} // namespace tiravo
