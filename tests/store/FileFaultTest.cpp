// The failures of the database file that the operator can mend himself are
// told apart by the engine's result code, wherever the engine meets them, and
// each names the file; the message itself stays the engine's, as the
// database tool prints it.
#include "store/Connection.h"
#include "store/Query.h"
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

struct Met {
    FileFault fault = FileFault::Other;
    QString file;
    QString message;
};

Met MetBy(const std::function<void()>& work) {
    try {
        work();
    } catch (const StoreError& error) {
        return {error.fault(), error.file(), error.message()};
    } catch (const Error& error) {
        return {FileFault::Other, QString(), error.message()};
    }
    return {FileFault::Other, QString(), QStringLiteral("<no error>")};
}

class FileFaults : public testing::Test {
protected:
    std::unique_ptr<Connection> open() const {
        auto connection = std::make_unique<Connection>();
        connection->setConnectionText(db.connectionText());
        connection->open();
        return connection;
    }
    QString file() const { return QDir::toNativeSeparators(db.path()); }
    std::int64_t pragma(const QString& name) {
        Query query(db.connection(), {"PRAGMA " + name});
        query.open();
        return query.field(0).asInteger();
    }

    test::TempDatabase db;
};

TEST_F(FileFaults, AFullDiskAndAFileHeldByAnotherProgramMidWay) {
    db.exec("INSERT INTO TbNumero (Numero) VALUES (1)");
    db.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(pragma("page_count")));
    const Met full = MetBy([&] {
        for (int i = 0; i < 100000; ++i)
            db.exec("INSERT INTO TbNumero (Numero) VALUES (2)");
    });
    EXPECT_EQ(full.fault, FileFault::Full);
    EXPECT_EQ(full.file, file());
    EXPECT_EQ(full.message, "database or disk is full");

    db.exec("PRAGMA max_page_count = 1073741823");
    auto holder = db.openSecond();
    holder->execute("BEGIN IMMEDIATE");
    db.connection().setBusyTimeout(20);
    const Met locked = MetBy([&] { db.exec("UPDATE TbNumero SET Sorte = 1"); });
    EXPECT_EQ(locked.fault, FileFault::Locked);
    EXPECT_EQ(locked.file, file());
    EXPECT_EQ(locked.message, "database is locked");
    holder->execute("ROLLBACK");

    // Any other error is only its own text.
    const Met other = MetBy([&] { db.exec("UPDATE TbNada SET Sorte = 1"); });
    EXPECT_EQ(other.fault, FileFault::Other);
    EXPECT_TRUE(other.message.startsWith("no such table")) << other.message.toStdString();
}

TEST_F(FileFaults, ADamagedFileWhenOpenedAndWhenATableIsRead) {
    {
        WriteScope batch(db.connection(), WriteScope::Keeps::WhatWasWritten);
        for (int i = 0; i < 3000; ++i)
            db.exec(
                QStringLiteral("INSERT INTO TbNumero (Numero, Ordem) VALUES (%1, 'abcd')").arg(i));
    }
    const std::int64_t pageSize = pragma("page_size");
    Query root(db.connection(), {"SELECT rootpage FROM sqlite_master WHERE name = 'TbNumero'"});
    root.open();
    const std::int64_t rootPage = root.field(0).asInteger();
    db.connection().close();

    QFile raw(db.path());
    ASSERT_TRUE(raw.open(QIODevice::ReadWrite));
    // The first page holds the schema and opens the file; the table's own
    // first page is damaged.
    raw.seek((rootPage - 1) * pageSize + 100);
    raw.write(QByteArray(16, 'x'));
    raw.close();
    auto connection = open();
    const Met table = MetBy([&] {
        TableView numbers(*connection, {.table = QStringLiteral("TbNumero")});
        numbers.open();
    });
    EXPECT_EQ(table.fault, FileFault::Damaged) << table.message.toStdString();
    EXPECT_EQ(table.file, file());
    connection.reset();

    ASSERT_TRUE(raw.open(QIODevice::ReadWrite));
    raw.write(QByteArray(4096, 'x'));
    raw.close();
    const Met opening = MetBy([&] { open(); });
    EXPECT_EQ(opening.fault, FileFault::Damaged);
    EXPECT_EQ(opening.file, file());
    EXPECT_TRUE(opening.message.startsWith("Not a valid password, or not a database file"));
}

TEST_F(FileFaults, AFileThatCannotBeOpened) {
    db.connection().close();
    test::OrdinaryUser user(db.folder());
    if (!user.ready())
        GTEST_SKIP() << "running as root without the right to act as another user";
    QFile::setPermissions(db.path(), QFile::Permissions());
    const Met unreadable = MetBy([&] { open(); });
    EXPECT_EQ(unreadable.fault, FileFault::CannotOpen) << unreadable.message.toStdString();
    EXPECT_EQ(unreadable.file, file());
    EXPECT_TRUE(unreadable.message.startsWith("Could not open the database file"));
}

} // namespace
} // namespace tiravo
