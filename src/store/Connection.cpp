#include "store/Connection.h"

#include "common/Error.h"
#include "store/ConnectionText.h"
#include "store/Dialect.h"
#include "store/FlatColumn.h"
#include "store/Schema.h"
#include "store/SchemaUpgrade.h"
#include "store/SideFiles.h"
#include "store/StoreError.h"
#include "store/WriteScope.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

#include <sqlite3.h>

namespace tiravo {

namespace {

QString QuotedLiteral(const QString& text) {
    QString quoted = text;
    quoted.replace(u'\'', QLatin1String("''"));
    return u'\'' + quoted + u'\'';
}

void RunPlain(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const QString text = QString::fromUtf8(message ? message : sqlite3_errmsg(db));
        sqlite3_free(message);
        throw EngineError(db, text);
    }
}

// Keys the handle, proves the key by reading the schema, and sets the
// journal so that a returned write has reached the disk. A file opened only
// for reading keeps the journal it has: setting it would be a write.
void Prepare(sqlite3* db, const QString& path, const QString& password, int busyTimeoutMs) {
    sqlite3_busy_timeout(db, busyTimeoutMs);
    const QByteArray key = QStringLiteral("PRAGMA key = %1").arg(QuotedLiteral(password)).toUtf8();
    RunPlain(db, key.constData());
    if (sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr) !=
        SQLITE_OK) {
        if (sqlite3_errcode(db) == SQLITE_NOTADB)
            throw EngineError(db, QStringLiteral("Not a valid password, or not a database file: "
                                                 "'%1'")
                                      .arg(QDir::toNativeSeparators(path)));
        throw EngineError(db);
    }
    if (sqlite3_db_readonly(db, "main") == 1)
        return;
    RunPlain(db, "PRAGMA journal_mode = WAL");
    RunPlain(db, "PRAGMA synchronous = FULL");
}

sqlite3* OpenHandle(const QString& path, const QString& password, int flags, int busyTimeoutMs) {
    sqlite3* db = nullptr;
    const QByteArray file = path.toUtf8();
    // A connection is only ever used by the thread that opened it, so the
    // engine's lock around each of its calls buys nothing; reading a million
    // rows makes some ten million such calls.
    flags |= SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(file.constData(), &db, flags, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
        const int code = db ? sqlite3_extended_errcode(db) : SQLITE_NOMEM;
        sqlite3_close(db);
        throw StoreError(QStringLiteral("Could not open the database file '%1': %2")
                             .arg(QDir::toNativeSeparators(path), message),
                         code, path);
    }
    try {
        Prepare(db, path, password, busyTimeoutMs);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    return db;
}

// tiravo_slice_text(key): the text the current slice holds for the row with
// that key. The engine walks the rows of a range of keys in ascending order,
// asking each key twice (to choose the row, then to write it), so the answer
// is most often where the last one was or just after it.
void SliceText(sqlite3_context* context, int, sqlite3_value** arguments) {
    const auto* connection = static_cast<const Connection*>(sqlite3_user_data(context));
    const Connection::TextSlice* slice = connection->textSlice();
    if (!slice || sqlite3_value_type(arguments[0]) != SQLITE_INTEGER) {
        sqlite3_result_null(context);
        return;
    }
    const std::int64_t key = sqlite3_value_int64(arguments[0]);
    std::size_t at = slice->size;
    for (std::size_t near : {slice->next, slice->next + 1})
        if (near < slice->size && slice->keys[near] == key)
            at = near;
    if (at == slice->size) {
        const std::int64_t* end = slice->keys + slice->size;
        const std::int64_t* found = std::lower_bound(slice->keys, end, key);
        if (found == end || *found != key) {
            sqlite3_result_null(context);
            return;
        }
        at = static_cast<std::size_t>(found - slice->keys);
    }
    slice->next = at;
    std::array<char, 4> scratch{};
    const std::optional<std::string_view> text = slice->texts->utf8(slice->first + at, scratch);
    sqlite3_result_text(context, text ? text->data() : "",
                        text ? static_cast<int>(text->size()) : 0, SQLITE_TRANSIENT);
}

} // namespace

Connection::Connection() = default;

Connection::~Connection() {
    close();
}

void Connection::setConnectionText(const QString& text) {
    if (isOpen())
        throw Error(QStringLiteral("Operation not allowed on an open connection"));
    text_ = text;
}

void Connection::create() {
    if (isOpen())
        throw Error(QStringLiteral("Operation not allowed on an open connection"));
    const ConnectionSettings settings = ParseConnectionText(text_);
    if (QFileInfo::exists(settings.dataSource))
        throw Error(QStringLiteral("The file '%1' exists already")
                        .arg(QDir::toNativeSeparators(settings.dataSource)));
    db_ = OpenHandle(settings.dataSource, settings.password,
                     SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, busyTimeoutMs_);
    registerFunctions();
}

void Connection::open() {
    if (isOpen())
        return;
    const ConnectionSettings settings = ParseConnectionText(text_);
    const QFileInfo file(settings.dataSource);
    if (!file.exists())
        throw Error(QStringLiteral("Could not find file '%1'")
                        .arg(QDir::toNativeSeparators(settings.dataSource)));
    if (!file.isFile())
        throw Error(QStringLiteral("'%1' is not a database file")
                        .arg(QDir::toNativeSeparators(settings.dataSource)));
    // Side files left read-only by an earlier run would make the engine fail
    // before it has read a page.
    KeepSideFilesWritable(settings.dataSource);
    // The engine opens a file this program may not write for reading only,
    // and says so: the answer comes from the very call a write would meet.
    db_ = OpenHandle(settings.dataSource, settings.password, SQLITE_OPEN_READWRITE, busyTimeoutMs_);
    file_ = settings.dataSource;
    readOnly_ = sqlite3_db_readonly(db_, "main") == 1;
    if (readOnly_)
        KeepSideFilesWritable(file_);
    try {
        UpgradeSchema(*this);
    } catch (...) {
        close();
        throw;
    }
    registerFunctions();
}

void Connection::requireWritable() const {
    if (readOnly_)
        throw StoreError(QStringLiteral("The database file '%1' is read-only: nothing can be "
                                        "stored")
                             .arg(QDir::toNativeSeparators(file_)),
                         SQLITE_READONLY, file_);
}

void Connection::registerFunctions() {
    if (sqlite3_create_function_v2(db_, "tiravo_slice_text", 1, SQLITE_UTF8, this, SliceText,
                                   nullptr, nullptr, nullptr) != SQLITE_OK) {
        const StoreError error = EngineError(db_);
        close();
        throw error;
    }
}

void Connection::setAutoCheckpoint(bool on) {
    requireOpen();
    // 1000 pages is the engine's own default.
    sqlite3_wal_autocheckpoint(db_, on ? 1000 : 0);
}

void Connection::flushChanges() {
    requireOpen();
    sqlite3_db_cacheflush(db_);
}

void Connection::syncLog() {
    requireOpen();
    const char* file = sqlite3_db_filename(db_, "main");
    if (!file || !*file)
        return;
    const QByteArray log = QByteArray(file) + "-wal";
    const int fd = ::open(log.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fdatasync(fd);
    ::close(fd);
}

void Connection::checkpoint() {
    requireOpen();
    // A reader of another program may hold part of the log; what it holds is
    // copied at a later checkpoint, so being kept waiting is no error.
    sqlite3_wal_checkpoint_v2(db_, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr);
}

void Connection::close() {
    statements_.clear();
    if (db_) {
        sqlite3_close(db_);
        db_ = nullptr;
        // The engine may have made its side files anew while the file was
        // open (it sets their permissions each time it opens an empty one).
        if (readOnly_)
            KeepSideFilesWritable(file_);
    }
    readOnly_ = false;
    // Closing ended the transaction: the changes still open have nothing
    // left to commit or undo.
    for (WriteScope* scope = openScope_; scope; scope = scope->enclosing_)
        scope->forget();
    openScope_ = nullptr;
}

void Connection::requireOpen() const {
    if (!isOpen())
        throw Error(QStringLiteral("The connection to the database is not open"));
}

SqlStatement& Connection::statement(const QString& engineSql) {
    requireOpen();
    auto found = statements_.find(engineSql);
    if (found == statements_.end())
        found =
            statements_.emplace(engineSql, std::make_unique<SqlStatement>(db_, engineSql)).first;
    found->second->reset();
    return *found->second;
}

void Connection::execute(const QString& programSql) {
    SqlStatement& statement = this->statement(ToEngineSql(programSql));
    while (statement.step()) {
    }
    statement.reset();
}

std::int64_t Connection::lastInsertedKey() const {
    requireOpen();
    return sqlite3_last_insert_rowid(db_);
}

int Connection::changedRows() const {
    requireOpen();
    return sqlite3_changes(db_);
}

std::int64_t Connection::totalChangedRows() const {
    requireOpen();
    return sqlite3_total_changes(db_);
}

std::int64_t Connection::dataVersion() {
    SqlStatement& pragma = statement(QStringLiteral("PRAGMA data_version"));
    std::int64_t version = 0;
    if (pragma.step())
        if (const Value value = pragma.column(0, ColumnType::Integer);
            std::holds_alternative<std::int64_t>(value))
            version = std::get<std::int64_t>(value);
    pragma.reset();
    return version;
}

bool Connection::inTransaction() const {
    return db_ != nullptr && sqlite3_get_autocommit(db_) == 0;
}

void Connection::setBusyTimeout(int milliseconds) {
    busyTimeoutMs_ = milliseconds;
    if (db_)
        sqlite3_busy_timeout(db_, milliseconds);
}

} // namespace tiravo
