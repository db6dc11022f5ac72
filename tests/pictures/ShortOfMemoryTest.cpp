// Loads where memory is short: the address space of a child process is
// capped a little above what it already uses.
#include "branding/LogoStrip.h"
#include "platform/Pictures.h"
#include "platform/TextFile.h"
#include "support/PictureSamples.h"
#include "widgets/PictureBox.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

namespace tiravo {
namespace {

constexpr rlim_t kHeadroom = rlim_t(192) << 20;

rlim_t addressSpaceInUse() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmSize:"))
            return rlim_t(line.mid(7).trimmed().split(' ').first().toULongLong()) << 10;
    return 0;
}

// In the child: caps the address space; the statement's outcome is the
// child's exit code.
void capAddressSpace() {
    const rlim_t cap = addressSpaceInUse() + kHeadroom;
    const rlimit limit{cap, cap};
    if (setrlimit(RLIMIT_AS, &limit) != 0)
        _exit(3);
}

class ShortOfMemoryTest : public testing::Test {
protected:
    void SetUp() override {
#if defined(__SANITIZE_ADDRESS__)
        GTEST_SKIP() << "the address sanitizer reserves more address space than any cap allows";
#endif
        testing::FLAGS_gtest_death_test_style = "fast";
        small_ = dir_.filePath(QStringLiteral("logo.png"));
        QFile file(small_);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(test::encodeWithQt(test::quadrants(QSize(40, 30)), "png"));
        file.close();
        // A file larger than the headroom, with no disk blocks behind it.
        huge_ = dir_.filePath(QStringLiteral("huge.bmp"));
        QFile big(huge_);
        ASSERT_TRUE(big.open(QIODevice::WriteOnly));
        big.write("BM");
        ASSERT_TRUE(big.resize(qint64(kHeadroom) * 2));
        big.close();
        // Image plugins are loaded before the cap, as in a program that runs.
        ASSERT_FALSE(LoadPicture(small_).isNull());
    }

    QTemporaryDir dir_;
    QString small_;
    QString huge_;
};

TEST_F(ShortOfMemoryTest, SmallFilesTakeMemoryForTheirOwnBytesOnly) {
    const QString names = dir_.filePath(QStringLiteral("nomes.txt"));
    QFile file(names);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Ana\r\nBeto\r\n");
    file.close();
    EXPECT_EXIT(
        {
            capAddressSpace();
            try {
                _exit(LoadPicture(small_).size() == QSize(40, 30) &&
                              readTextFileLines(names) == QStringList{"Ana", "Beto"}
                          ? 0
                          : 1);
            } catch (...) {
                _exit(2);
            }
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(ShortOfMemoryTest, ALogoThatDoesNotFitInMemoryLeavesItsBoxEmptyWithoutAWord) {
    PictureBox box(nullptr, PictureMode::ShrinkCenter);
    box.resize(200, 150);
    ShowStoredPicture(box, small_);
    ASSERT_TRUE(box.hasPicture());
    EXPECT_EXIT(
        {
            capAddressSpace();
            ShowStoredPicture(box, huge_);
            _exit(box.hasPicture() ? 1 : 0);
        },
        testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace tiravo
