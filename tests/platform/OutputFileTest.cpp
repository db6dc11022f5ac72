// Files written for people (the minutes, the winners as CSV) beside a real
// database file that is open: never over the database, its engine's files or
// anything but a regular file, and whole or not at all.
#include "platform/OutputFile.h"
#include "common/Error.h"
#include "store/SqlStatement.h"
#include "support/TempDatabase.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tiravo {
namespace {

QByteArray Read(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
}

void WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class OutputFileTest : public testing::Test {
protected:
    void SetUp() override {
        db_.exec("INSERT INTO TbNome (Nome, Ok) VALUES ('Ana', 1)");
        ASSERT_TRUE(QFileInfo::exists(db_.path() + "-wal")) << "the log of an open file";
    }

    // What the write did, or the refusal's text.
    QString write(const QString& path, MessageLanguage language = MessageLanguage::Portuguese) {
        try {
            WriteOutputFile({path, db_.path(), language},
                            [](QFileDevice& file) { file.write("%PDF-1.4 the minutes\n"); });
        } catch (const Error& error) {
            return error.message();
        }
        return "written";
    }

    // The database, its log and its index, byte for byte.
    QList<QByteArray> databaseBytes() const {
        return {Read(db_.path()), Read(db_.path() + "-wal"), Read(db_.path() + "-shm")};
    }

    QStringList folder() const {
        return QDir(db_.folder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System);
    }

    test::TempDatabase db_;
};

TEST_F(OutputFileTest, TheDatabaseItsEnginesFilesAndLinksToThemAreRefused) {
    const QString database = db_.path();
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath("ata.pdf");
    ASSERT_TRUE(QFile::link(database, link));
    const QString linkToLink = elsewhere.filePath("ata-2.pdf");
    ASSERT_TRUE(QFile::link(link, linkToLink));
    const QString relative = db_.folder() + "/relativo.pdf";
    ASSERT_EQ(::symlink("Zodizi.db-wal", QFile::encodeName(relative).constData()), 0);
    const QString linkedFolder = elsewhere.filePath("pasta");
    ASSERT_TRUE(QFile::link(db_.folder(), linkedFolder));
    // No journal exists while the log is on, and a link to it dangles.
    const QString toJournal = elsewhere.filePath("diario.pdf");
    ASSERT_TRUE(QFile::link(database + "-journal", toJournal));

    const QList<QByteArray> before = databaseBytes();
    const QStringList files = folder();
    const QString itself = "O arquivo de saída não pode ser o próprio banco de dados: escolha "
                           "outro nome";
    const QString working = "O arquivo de saída não pode ser um arquivo de trabalho do banco de "
                            "dados: escolha outro nome";
    EXPECT_EQ(write(database), itself);
    EXPECT_EQ(write(link), itself);
    EXPECT_EQ(write(linkToLink), itself);
    EXPECT_EQ(write(db_.folder() + "/./sub/../Zodizi.db"), itself);
    EXPECT_EQ(write(linkedFolder + "/Zodizi.db"), itself);
    EXPECT_EQ(write(database + "-wal"), working);
    EXPECT_EQ(write(database + "-shm"), working);
    EXPECT_EQ(write(relative), working);
    EXPECT_EQ(write(toJournal), working);
    EXPECT_EQ(write(link, MessageLanguage::English),
              QString("The output file '%1' is the database file itself; choose another name. "
                      "Nothing was written")
                  .arg(link));

    EXPECT_EQ(databaseBytes(), before);
    EXPECT_EQ(folder(), files);
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(database + "-journal"));
    const auto second = db_.openSecond();
    SqlStatement& check = second->statement("PRAGMA integrity_check");
    ASSERT_TRUE(check.step());
    EXPECT_EQ(check.column(0, ColumnType::Text), Value(QString("ok")));
}

TEST_F(OutputFileTest, WhatIsNotARegularFileIsRefusedWithoutWaitingOnIt) {
    const QString pipe = db_.folder() + "/ata.pdf";
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString circle = db_.folder() + "/circulo.pdf";
    ASSERT_TRUE(QFile::link(circle, circle));
    const QString folderTarget = db_.folder() + "/pasta.pdf";
    ASSERT_TRUE(QDir().mkpath(folderTarget));

    // A pipe nobody reads would hold the write forever.
    EXPECT_EQ(write(pipe), "'" + pipe + "' não é um arquivo comum: escolha outro nome");
    EXPECT_EQ(write(circle), "'" + circle + "' não é um arquivo comum: escolha outro nome");
    EXPECT_EQ(write(folderTarget, MessageLanguage::English),
              "The output file '" + folderTarget +
                  "' is not a regular file; choose another name. Nothing was written");
    struct stat after = {};
    ASSERT_EQ(::stat(QFile::encodeName(pipe).constData(), &after), 0);
    EXPECT_TRUE(S_ISFIFO(after.st_mode));
    EXPECT_TRUE(QFileInfo(folderTarget).isDir());
}

TEST_F(OutputFileTest, ATargetIsReplacedWholeOrLeftAsItWas) {
    const QString target = db_.folder() + "/ata.pdf";
    WriteBytes(target, "the old minutes");
    const QStringList files = folder();

    // A failure halfway leaves the old file and nothing beside it.
    EXPECT_THROW(WriteOutputFile({target, db_.path(), MessageLanguage::English},
                                 [](QFileDevice& file) {
                                     file.write("half of the new");
                                     throw Error("the record could not be read");
                                 }),
                 Error);
    EXPECT_EQ(Read(target), "the old minutes");
    EXPECT_EQ(folder(), files);

    EXPECT_EQ(write(target), "written");
    EXPECT_EQ(Read(target), "%PDF-1.4 the minutes\n");
    EXPECT_EQ(folder(), files);

    // A link to another file writes that file and stays a link.
    QTemporaryDir elsewhere;
    const QString kept = elsewhere.filePath("guardada.pdf");
    WriteBytes(kept, "old");
    const QString link = db_.folder() + "/atalho.pdf";
    ASSERT_TRUE(QFile::link(kept, link));
    EXPECT_EQ(write(link), "written");
    EXPECT_EQ(Read(kept), "%PDF-1.4 the minutes\n");
    EXPECT_TRUE(QFileInfo(link).isSymLink());

    const QString nowhere = db_.folder() + "/falta/ata.pdf";
    EXPECT_TRUE(
        write(nowhere, MessageLanguage::English).startsWith("Could not write '" + nowhere + "': "));
    EXPECT_FALSE(QFileInfo::exists(db_.folder() + "/falta"));
}

TEST_F(OutputFileTest, AnOpenFileIsKnownAsTheDatabaseByWhatItIsNotByItsName) {
    QTemporaryDir elsewhere;
    const QString link = elsewhere.filePath("outro-nome");
    ASSERT_TRUE(QFile::link(db_.path(), link));
    const QString other = elsewhere.filePath("lista.csv");
    WriteBytes(other, "");
    const auto opened = [](const QString& path) {
        return ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    };
    for (const QString& path : {db_.path(), link, db_.path() + "-wal", other}) {
        const int descriptor = opened(path);
        ASSERT_GE(descriptor, 0) << path.toStdString();
        EXPECT_EQ(IsDatabaseFile(descriptor, db_.path()), path != other) << path.toStdString();
        EXPECT_EQ(IsDatabaseFile(descriptor, link), path != other) << path.toStdString();
        ::close(descriptor);
    }
}

} // namespace
} // namespace tiravo
