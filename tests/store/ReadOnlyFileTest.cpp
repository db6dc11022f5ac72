// A database file this program may not write: it opens for reading, every
// write is refused with an error that names the file, and what the engine
// leaves beside it serves the next start once the file can be written again.
#include "store/Connection.h"
#include "store/StoreError.h"
#include "store/TableView.h"
#include "store/WriteScope.h"
#include "support/OrdinaryUser.h"
#include "support/TempDatabase.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace tiravo {
namespace {

const char* const kSideFiles[] = {"-wal", "-shm"};

class ReadOnlyFile : public testing::Test {
protected:
    ReadOnlyFile() {
        db.exec("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) VALUES (7, 'aaaa', 1, 0)");
        // The last connection to close takes the engine's side files with it.
        db.connection().close();
    }

    std::unique_ptr<Connection> open() const {
        auto connection = std::make_unique<Connection>();
        connection->setConnectionText(db.connectionText());
        connection->open();
        return connection;
    }

    // Whether `write` is refused as a write to a read-only file, naming it.
    bool refused(const std::function<void()>& write) const {
        try {
            write();
        } catch (const StoreError& error) {
            EXPECT_EQ(error.fault(), FileFault::ReadOnly) << error.message().toStdString();
            EXPECT_EQ(error.file(), QDir::toNativeSeparators(db.path()));
            return error.fault() == FileFault::ReadOnly;
        }
        return false;
    }

    QString sortesStored() const {
        auto reader = open();
        TableView numbers(*reader, {.table = QStringLiteral("TbNumero")});
        numbers.open();
        return numbers.field(QStringLiteral("Sorte")).asString();
    }

    test::TempDatabase db;
};

TEST_F(ReadOnlyFile, OpensForReadingAndRefusesEveryWriteNamingTheFile) {
    test::OrdinaryUser user(db.folder());
    if (!user.ready())
        GTEST_SKIP() << "running as root without the right to act as another user";
    test::SetWritable(db.path(), false);

    auto connection = open();
    EXPECT_TRUE(connection->readOnly());
    TableView numbers(*connection, {.table = QStringLiteral("TbNumero")});
    numbers.open();
    EXPECT_EQ(numbers.recordCount(), 1);
    EXPECT_EQ(numbers.field(QStringLiteral("Numero")).asString(), "7");

    // The views refuse before a row is begun, so nothing is typed in vain.
    EXPECT_TRUE(refused([&] { numbers.edit(); }));
    EXPECT_TRUE(refused([&] { numbers.insert(); }));
    EXPECT_TRUE(refused([&] { numbers.deleteRecord(); }));
    EXPECT_FALSE(numbers.editing());
    EXPECT_EQ(numbers.recordCount(), 1);
    // What goes past them meets the engine's own refusal, told the same way.
    EXPECT_TRUE(refused([&] { WriteScope batch(*connection, WriteScope::Keeps::WhatWasWritten); }));
    EXPECT_TRUE(refused([&] { connection->execute("UPDATE TbNumero SET Sorte = 1"); }));
    EXPECT_TRUE(refused([&] { connection->requireWritable(); }));
    connection.reset();

    test::SetWritable(db.path(), true);
    auto writer = open();
    EXPECT_FALSE(writer->readOnly());
    EXPECT_NO_THROW(writer->requireWritable());
    EXPECT_EQ(sortesStored(), "");
}

TEST_F(ReadOnlyFile, WhatTheEngineLeavesBesideItServesTheNextStart) {
    test::OrdinaryUser user(db.folder());
    if (!user.ready())
        GTEST_SKIP() << "running as root without the right to act as another user";
    test::SetWritable(db.path(), false);
    {
        auto reader = open();
        TableView numbers(*reader, {.table = QStringLiteral("TbNumero")});
        numbers.open();
        ASSERT_EQ(numbers.recordCount(), 1);
    }
    // The engine makes its side files with the file's own permissions; a
    // start that finds them read-only can open the file neither to write nor
    // to read.
    for (const char* suffix : kSideFiles) {
        const QString side = db.path() + QLatin1String(suffix);
        ASSERT_TRUE(QFile::exists(side)) << suffix;
        EXPECT_TRUE(QFile::permissions(side) & QFile::WriteOwner) << suffix;
    }

    // The operator makes the file writable again and starts anew.
    test::SetWritable(db.path(), true);
    {
        auto writer = open();
        EXPECT_FALSE(writer->readOnly());
        writer->execute("UPDATE TbNumero SET Sorte = 1");
    }
    EXPECT_EQ(sortesStored(), "1");

    // Side files an earlier run left read-only are mended by the next start.
    test::SetWritable(db.path(), false);
    open().reset();
    for (const char* suffix : kSideFiles)
        test::SetWritable(db.path() + QLatin1String(suffix), false);
    test::SetWritable(db.path(), true);
    {
        auto writer = open();
        writer->execute("UPDATE TbNumero SET Sorte = 2");
    }
    EXPECT_EQ(sortesStored(), "2");
}

} // namespace
} // namespace tiravo
