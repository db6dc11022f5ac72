#include "platform/TextFile.h"
#include "common/Error.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class TextFileTest : public testing::Test {
protected:
    QString write(const QByteArray& bytes, const QString& name = QStringLiteral("nomes.txt")) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QStringList read(const QByteArray& bytes) { return readTextFileLines(write(bytes)); }

    QString errorText(const QString& path) {
        try {
            readTextFileLines(path);
        } catch (const Error& error) {
            return error.message();
        }
        ADD_FAILURE() << "no error for " << path.toStdString();
        return {};
    }

    QTemporaryDir dir_;
};

TEST_F(TextFileTest, DecodesAccentsInUtf8AndInTheWesternCodePage) {
    const QStringList expected = {QStringLiteral("José Conceição"),
                                  QStringLiteral("Ângela Müller")};
    EXPECT_EQ(read("Jos\xC3\xA9 Concei\xC3\xA7\xC3\xA3o\r\n\xC3\x82ngela M\xC3\xBCller\r\n"),
              expected);
    EXPECT_EQ(read("Jos\xE9 Concei\xE7\xE3o\r\n\xC2ngela M\xFCller\r\n"), expected);
    // A byte-order mark is no part of the first name.
    EXPECT_EQ(read("\xEF\xBB\xBFJos\xC3\xA9\n"), QStringList{QStringLiteral("José")});
}

TEST_F(TextFileTest, ReadsTheUpperHalfAsWindows1252NotLatin1) {
    // 0x80 to 0x9F hold the euro sign, curly quotes and dashes in the code
    // page; Latin-1 would give invisible control characters.
    EXPECT_EQ(read("\x93"
                   "Z\xE9"
                   "\x94 \x96 \x80"
                   "5\n"),
              QStringList{QStringLiteral("\u201CZé\u201D \u2013 €5")});
    // One stray byte makes the whole file the code page's, not just that line.
    EXPECT_EQ(read("caf\xC3\xA9\ncaf\xE9\n"),
              (QStringList{QStringLiteral("cafÃ©"), QStringLiteral("café")}));
}

TEST_F(TextFileTest, SplitsAtLineFeedsAndKeepsEmptyLines) {
    EXPECT_EQ(read("Ana\r\n\r\n  Bia  \nCaio"),
              (QStringList{QStringLiteral("Ana"), QString(), QStringLiteral("  Bia  "),
                           QStringLiteral("Caio")}));
    EXPECT_EQ(read("Ana\n\n"), (QStringList{QStringLiteral("Ana"), QString()}));
    EXPECT_EQ(read("Ana\n"), QStringList{QStringLiteral("Ana")});
    EXPECT_TRUE(read("").isEmpty());
}

TEST_F(TextFileTest, DropsCarriageReturnsThatEndNoLineAndStopsAtCtrlZ) {
    EXPECT_EQ(read("An\ra\r\r\nBia\r"),
              (QStringList{QStringLiteral("Ana"), QStringLiteral("Bia")}));
    EXPECT_EQ(read("Ana\r\nBia\x1A\r\nCaio\r\n"),
              (QStringList{QStringLiteral("Ana"), QStringLiteral("Bia")}));
}

TEST_F(TextFileTest, MissingOrUnreadableFilesAreErrorsNamingTheFile) {
    const QString missing = dir_.filePath(QStringLiteral("nada.txt"));
    EXPECT_EQ(errorText(missing),
              QStringLiteral("Cannot open file \"%1\": No such file or directory").arg(missing));
    EXPECT_TRUE(errorText(dir_.path()).contains(dir_.path()));
}

TEST_F(TextFileTest, RefusesAFileTooLargeToBeAListOfNames) {
    const QString path = write({});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(kMaxTextFileBytes + 1)); // sparse: costs no disk
    file.close();
    EXPECT_TRUE(errorText(path).contains(QStringLiteral("too large")));
}

} // namespace
} // namespace tiravo
