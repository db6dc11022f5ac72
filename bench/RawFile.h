#pragma once

#include "store/DatabasePassword.h"

#include <QString>

#include <sqlite3.h>

#include <cstdint>
#include <functional>

namespace tiravo {

// The baseline: the engine's C interface, one prepared statement, one transaction.
class RawFile {
public:
    explicit RawFile(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        const QByteArray key = "PRAGMA key = '" + JoinDatabasePassword().toUtf8() + "'";
        sqlite3_exec(db_, key.constData(), nullptr, nullptr, nullptr);
        sqlite3_exec(db_, "PRAGMA journal_mode = WAL; PRAGMA synchronous = FULL", nullptr, nullptr,
                     nullptr);
    }
    ~RawFile() { sqlite3_close(db_); }

    void run(const char* sql, int rows, const std::function<void(sqlite3_stmt*, int)>& bind) {
        sqlite3_exec(db_, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr);
        for (int i = 0; i < rows; ++i) {
            bind(statement, i);
            sqlite3_step(statement);
            sqlite3_reset(statement);
        }
        sqlite3_finalize(statement);
        sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
    }

    // Statements without parameters, such as a whole transaction.
    void exec(const char* sql) { sqlite3_exec(db_, sql, nullptr, nullptr, nullptr); }

    std::int64_t readAll() {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db_, "SELECT Cod, Nome, Ordem, Ok, Ativo, CdLista, Sorte FROM TbNome",
                           -1, &statement, nullptr);
        std::int64_t sum = 0;
        while (sqlite3_step(statement) == SQLITE_ROW) {
            sum += sqlite3_column_int64(statement, 0);
            sum += sqlite3_column_bytes(statement, 1);
            sum += sqlite3_column_bytes(statement, 2);
        }
        sqlite3_finalize(statement);
        return sum;
    }

private:
    sqlite3* db_ = nullptr;
};

} // namespace tiravo
