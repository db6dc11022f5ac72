#include "platform/FolderListing.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class FolderListingTest : public testing::Test {
protected:
    void touch(const QString& name) {
        QFile file(dir_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    }

    QTemporaryDir dir_;
};

TEST(FolderListing, TheMaskIsSplitAtEachSemicolonAndMatchedWithoutRegardToCase) {
    EXPECT_EQ(MaskPatterns("*.jpg; *.gif;"), QStringList({"*.jpg", "*.gif"}));
    EXPECT_EQ(MaskPatterns(" ;; *.x ;"), QStringList({"*.x"}));
    EXPECT_TRUE(MaskPatterns(";  ;").isEmpty());

    const QStringList photos = MaskPatterns("*.jpg; *.gif;");
    for (const char* name : {"a.jpg", "A.JPG", "b.Gif", "x.y.jpg", ".jpg"})
        EXPECT_TRUE(MatchesMask(name, photos)) << name;
    for (const char* name : {"a.jpeg", "a.png", "a.jpg.txt", "ajpg", "a.jp", "a.gif "})
        EXPECT_FALSE(MatchesMask(name, photos)) << name;
    EXPECT_FALSE(MatchesMask("a.jpg", {}));
}

TEST_F(FolderListingTest, OnlyPlainVisibleFilesOfTheMaskAreListedSortedWithoutRegardToCase) {
    for (const char* name : {"c.JPG", "B.Gif", "a.jpg", "d.png", "e.jpeg", ".hidden.jpg", "f.bmp",
                             "Z.jpg", "z.jpg", "notes.jpg.txt", "Ângela.jpg"})
        touch(name);
    ASSERT_TRUE(QDir(dir_.path()).mkdir("x.jpg"));
    // A link to a folder is a folder; a link to a photo is that photo; a
    // broken link is no file at all.
    ASSERT_TRUE(QFile::link(dir_.filePath("x.jpg"), dir_.filePath("folderlink.jpg")));
    ASSERT_TRUE(QFile::link(dir_.filePath("a.jpg"), dir_.filePath("photolink.gif")));
    ASSERT_TRUE(QFile::link(dir_.filePath("gone.jpg"), dir_.filePath("broken.jpg")));

    EXPECT_EQ(
        ListMatchingFiles(dir_.path(), "*.jpg; *.gif;"),
        QStringList({"a.jpg", "Ângela.jpg", "B.Gif", "c.JPG", "photolink.gif", "z.jpg", "Z.jpg"}));
    EXPECT_EQ(ListMatchingFiles(dir_.path(), "*.png"), QStringList({"d.png"}));
    EXPECT_TRUE(ListMatchingFiles(dir_.path(), "").isEmpty());
    EXPECT_TRUE(ListMatchingFiles(dir_.filePath("x.jpg"), "*.jpg; *.gif;").isEmpty());
    EXPECT_TRUE(ListMatchingFiles(dir_.filePath("missing"), "*.jpg; *.gif;").isEmpty());
}

TEST(FolderListing, APathIsTheFolderTheSeparatorAndTheNameWithoutASecondSeparator) {
    EXPECT_EQ(JoinFolderAndName("/", "foto.jpg"), "/foto.jpg");
    EXPECT_EQ(JoinFolderAndName("/home/ana/Fotos", "foto.jpg"), "/home/ana/Fotos/foto.jpg");
    EXPECT_EQ(JoinFolderAndName("/media/", "foto.jpg"), "/media/foto.jpg");

    EXPECT_TRUE(FolderLiesUnder("/home/ana", "/"));
    EXPECT_TRUE(FolderLiesUnder("/", "/"));
    EXPECT_TRUE(FolderLiesUnder("/home/ana", "/home/ana"));
    EXPECT_TRUE(FolderLiesUnder("/home/ana/Fotos", "/home/ana"));
    EXPECT_FALSE(FolderLiesUnder("/home/anabela", "/home/ana"));
    EXPECT_FALSE(FolderLiesUnder("/home", "/home/ana"));
}

} // namespace
} // namespace tiravo
