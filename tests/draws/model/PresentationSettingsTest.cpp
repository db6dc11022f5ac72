// The presentation settings as the file keeps them: one set for the whole
// program, recorded when they change, defaults where the file has none.
#include "draws/model/PresentationSettings.h"

#include "common/Error.h"
#include "draws/model/RecordChain.h"
#include "draws/model/RecordCheck.h"
#include "store/Query.h"
#include "store/Schema.h"
#include "store/SchemaUpgrade.h"
#include "support/OrdinaryUser.h"
#include "support/TempDatabase.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

std::int64_t Count(Connection& connection, const QString& sql) {
    Query query(connection, {sql});
    query.open();
    return query.field(0).asInteger();
}

TEST(PresentationSettings, StoredOnceForTheProgramAndRecordedOnlyWhenChanged) {
    test::TempDatabase db;
    Connection& c = db.connection();
    EXPECT_EQ(ReadPresentationSettings(c), PresentationSettings{});
    EXPECT_FALSE(ReadPresentationSettings(c).sound);
    EXPECT_FALSE(ReadPresentationSettings(c).calm);

    // The same as the defaults: nothing is written.
    WritePresentationSettings(c, {});
    EXPECT_EQ(Count(c, "SELECT count(*) FROM TbApresentacao"), 0);
    EXPECT_EQ(Count(c, "SELECT count(*) FROM TbRegistro"), 0);

    const PresentationSettings chosen{.sound = true, .calm = true, .audienceMonitor = "HDMI-1"};
    WritePresentationSettings(c, chosen);
    WritePresentationSettings(c, chosen);
    EXPECT_EQ(ReadPresentationSettings(*db.openSecond()), chosen);
    EXPECT_EQ(Count(c, "SELECT count(*) FROM TbApresentacao"), 1);

    WritePresentationSettings(c, {.sound = false, .calm = true});
    EXPECT_EQ(ReadPresentationSettings(c), PresentationSettings({.calm = true}));
    EXPECT_EQ(Count(c, "SELECT count(*) FROM TbApresentacao"), 1);

    const std::vector<RecordRow> rows = ReadRecord(c);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].action, "apresentação");
    EXPECT_EQ(rows[0].pool, "");
    EXPECT_EQ(rows[0].entry, "som ligado, modo calmo ligado, monitor HDMI-1");
    EXPECT_EQ(rows[1].entry, "som desligado, modo calmo ligado, monitor automático");
    EXPECT_FALSE(rows[1].item.has_value());
    EXPECT_TRUE(CheckRecord(c).holds) << CheckRecord(c).problem.toStdString();
}

TEST(PresentationSettings, AMonitorNameTooLongChangesNothing) {
    test::TempDatabase db;
    Connection& c = db.connection();
    WritePresentationSettings(c, {.sound = true});
    EXPECT_THROW(WritePresentationSettings(
                     c, {.calm = true, .audienceMonitor = QString(kMonitorNameWidth + 1, 'x')}),
                 Error);
    EXPECT_EQ(ReadPresentationSettings(c), PresentationSettings({.sound = true}));
    EXPECT_EQ(Count(c, "SELECT count(*) FROM TbRegistro"), 1);
}

// Another copy of the program changed them first: only a real change of what
// the file holds then is written.
TEST(PresentationSettings, ComparedWithWhatTheFileHoldsWhenWritten) {
    test::TempDatabase db;
    auto other = db.openSecond();
    WritePresentationSettings(*other, {.sound = true});
    WritePresentationSettings(db.connection(), {.sound = true});
    EXPECT_EQ(Count(db.connection(), "SELECT count(*) FROM TbRegistro"), 1);
}

// A file of the version before the settings that cannot be written still
// opens, with the settings as they start, and keeps its version.
TEST(PresentationSettings, AFileBeforeThemThatCannotBeWrittenReadsTheDefaults) {
    test::TempDatabase db;
    db.exec("DROP TABLE TbApresentacao");
    db.exec("PRAGMA user_version = 3");
    db.connection().close();
    test::OrdinaryUser user(db.folder());
    if (!user.ready())
        GTEST_SKIP() << "running as root without the right to act as another user";
    test::SetWritable(db.path(), false);
    auto reader = db.openSecond();
    EXPECT_TRUE(reader->readOnly());
    EXPECT_EQ(SchemaVersion(*reader), 3);
    EXPECT_EQ(ReadPresentationSettings(*reader), PresentationSettings{});
    reader.reset();
    test::SetWritable(db.path(), true);
    auto writer = db.openSecond();
    EXPECT_EQ(SchemaVersion(*writer), kSchemaVersion);
    WritePresentationSettings(*writer, {.calm = true});
    EXPECT_TRUE(ReadPresentationSettings(*writer).calm);
}

} // namespace
} // namespace tiravo
