#pragma once

#include "store/SqlStatement.h"

#include <QDateTime>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

struct sqlite3;

namespace tiravo {

class FlatColumn;
class WriteScope;

// The one connection to the database file. Views, queries and batches all
// run through it.
class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Only while closed.
    void setConnectionText(const QString& text);
    const QString& connectionText() const { return text_; }

    // Opens an existing file with the password of the connection text; a
    // missing file or a wrong password is an error, never a new empty file.
    void open();
    // Creates the file the connection text names, which must not exist, and
    // opens it. Files are made only through BuildDatabaseFile and by tests.
    void create();
    void close();
    bool isOpen() const { return db_ != nullptr; }
    // Whether the file was opened for reading only, because this program may
    // not write it (its permissions, a read-only disk). Everything can be
    // read; nothing can be stored until the program opens it again.
    bool readOnly() const { return readOnly_; }
    // Refuses, with an error that names the file, when the file is open for
    // reading only: what would write calls it before it shows or asks
    // anything.
    void requireWritable() const;

    // Runs one of the program's statements that returns no rows.
    void execute(const QString& programSql);

    // A prepared statement of engine SQL, kept for reuse while the
    // connection is open. It is reset when handed out.
    SqlStatement& statement(const QString& engineSql);

    std::int64_t lastInsertedKey() const;
    int changedRows() const;
    // Rows written through this connection since it opened: the difference
    // over a loop is how many rows the loop wrote.
    std::int64_t totalChangedRows() const;
    // Whether a transaction is open. The engine rolls a whole transaction
    // back on its own after some errors (a full disk, an I/O error, lack of
    // memory), and this is how a loop inside one learns of it.
    bool inTransaction() const;

    // Changes each time another connection to the file, in this program or
    // another, has committed since this one last asked; this connection's own
    // commits leave it as it was. One statement that reads no table.
    std::int64_t dataVersion();

    // The innermost change still open on this connection, if any.
    const WriteScope* openScope() const { return openScope_; }

    // The time the record of draws gives its rows: the program's clock,
    // which tests may fix; without one, the computer's.
    void setClock(std::function<QDateTime()> now) { clock_ = std::move(now); }
    QDateTime now() const { return clock_ ? clock_() : QDateTime::currentDateTime(); }

    // The texts that the SQL function tiravo_slice_text(key) answers while a
    // statement runs: the text of the row with that key, null for any other
    // key. One statement then writes a whole slice of rows with the texts the
    // program computed (see ColumnRewrite). `keys` ascend; the text of
    // keys[i] is the cell `first + i` of `texts`, a cell without a text
    // answering the empty text.
    struct TextSlice {
        const std::int64_t* keys = nullptr;
        const FlatColumn* texts = nullptr;
        std::size_t first = 0;
        std::size_t size = 0;
        // Where the engine's walk stands: the next key asked is most often
        // this one or the one before.
        mutable std::size_t next = 0;
    };
    void setTextSlice(const TextSlice* slice) { textSlice_ = slice; }
    const TextSlice* textSlice() const { return textSlice_; }

    // Whether a commit may copy the log into the file when the log has grown
    // long. A draw turns it off for its own commit, which would otherwise
    // copy the whole reshuffled table while the audience waits, and copies
    // the log itself later, in the pauses of the next draw.
    void setAutoCheckpoint(bool on);
    // Copies what the log holds into the file, as far as no reader prevents.
    void checkpoint();
    // Within a transaction: writes the changed pages the engine holds to the
    // log, and makes the log reach the disk, so that the commit that follows
    // has little left to write and wait for. Both only move work earlier; a
    // failure here is met again, and reported, by the commit.
    void flushChanges();
    void syncLog();

    // The operator logged in on this copy of the program, whom the record of
    // draws names; empty for the database tool and before the login.
    void setOperatorName(const QString& name) { operatorName_ = name; }
    const QString& operatorName() const { return operatorName_; }

    // How long a statement waits for another program's write lock before it
    // fails with "database is locked". Applies at once and to later opens.
    void setBusyTimeout(int milliseconds);
    static constexpr int kBusyTimeoutMs = 10000;

private:
    friend class WriteScope;

    void requireOpen() const;
    void registerFunctions();

    QString text_;
    QString file_;
    sqlite3* db_ = nullptr;
    bool readOnly_ = false;
    std::map<QString, std::unique_ptr<SqlStatement>> statements_;
    WriteScope* openScope_ = nullptr;
    std::function<QDateTime()> clock_;
    QString operatorName_;
    int busyTimeoutMs_ = kBusyTimeoutMs;
    const TextSlice* textSlice_ = nullptr;
};

} // namespace tiravo
