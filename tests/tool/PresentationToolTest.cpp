// The presentation settings in the database tool's dump, its check and the
// record's verification, on real files.
#include "ToolRun.h"
#include "draws/model/PresentationSettings.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

TEST(PresentationTool, SettingsAreDumpedOnceChangedAndKeepTheFileWhole) {
    QTemporaryDir dir;
    const QString file = dir.filePath("Zodizi.db");
    ASSERT_EQ(RunTool({"create", "--file", file}).exitCode, 0);
    // A file whose settings were never changed dumps as before there were any.
    EXPECT_FALSE(RunTool({"dump", "--file", file}).out.contains("TbApresentacao"));

    WritePresentationSettings(*Open(file), {.sound = true, .audienceMonitor = "HDMI-1"});
    const Outcome dump = RunTool({"dump", "--file", file});
    EXPECT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    EXPECT_TRUE(dump.out.contains("TbApresentacao\nCod\tSom\tCalmo\tMonitor\n1\t"))
        << dump.out.toStdString();
    EXPECT_TRUE(dump.out.contains("\tapresentação\t")) << dump.out.toStdString();
    const Outcome checked = RunTool({"check", "--file", file});
    EXPECT_EQ(checked.exitCode, 0) << checked.out.toStdString() << checked.err.toStdString();
    const Outcome verified = RunTool({"verify", "--file", file});
    EXPECT_EQ(verified.exitCode, 0) << verified.err.toStdString();
    EXPECT_TRUE(verified.out.startsWith("ok: 1 row,")) << verified.out.toStdString();
}

} // namespace
} // namespace tiravo
