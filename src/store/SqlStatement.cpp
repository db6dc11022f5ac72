#include "store/SqlStatement.h"

#include "store/StoreError.h"

#include <sqlite3.h>

namespace tiravo {

SqlStatement::SqlStatement(sqlite3* db, const QString& sql) : db_(db), sql_(sql) {
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(db_, text.constData(), static_cast<int>(text.size()), &statement_,
                           nullptr) != SQLITE_OK)
        fail("prepare");
}

SqlStatement::~SqlStatement() {
    sqlite3_finalize(statement_);
}

void SqlStatement::fail(const char* doing) const {
    throw EngineError(db_,
                      QStringLiteral("%1 (while the database ran: %2; %3)")
                          .arg(QString::fromUtf8(sqlite3_errmsg(db_)), sql_, QLatin1String(doing)));
}

void SqlStatement::bind(int index, const Value& value) {
    int rc = SQLITE_OK;
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        rc = sqlite3_bind_int64(statement_, index, *number);
    } else if (const auto* flag = std::get_if<bool>(&value)) {
        rc = sqlite3_bind_int(statement_, index, *flag ? 1 : 0);
    } else if (const auto* text = std::get_if<QString>(&value)) {
        const QByteArray utf8 = text->toUtf8();
        rc = sqlite3_bind_text(statement_, index, utf8.constData(), static_cast<int>(utf8.size()),
                               SQLITE_TRANSIENT);
    } else {
        rc = sqlite3_bind_null(statement_, index);
    }
    if (rc != SQLITE_OK)
        fail("bind");
}

bool SqlStatement::step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // A failed step leaves the statement to be reset before its next use;
    // resetting here keeps the cached statement usable after a caught error.
    const StoreError error = EngineError(db_);
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
    throw error;
}

void SqlStatement::reset() {
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

int SqlStatement::columnCount() const {
    return sqlite3_column_count(statement_);
}

QString SqlStatement::columnName(int index) const {
    return QString::fromUtf8(sqlite3_column_name(statement_, index));
}

Value SqlStatement::column(int index, ColumnType type) const {
    switch (sqlite3_column_type(statement_, index)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER: {
        const std::int64_t number = sqlite3_column_int64(statement_, index);
        if (type == ColumnType::Boolean)
            return number != 0;
        if (type == ColumnType::Text)
            return QString::number(number);
        return number;
    }
    default: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, index));
        const int bytes = sqlite3_column_bytes(statement_, index);
        QString value = QString::fromUtf8(text, bytes);
        if (type == ColumnType::Text)
            return value;
        if (type == ColumnType::Boolean)
            return value.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
                   value == QLatin1String("1");
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        return ok ? Value(static_cast<std::int64_t>(number)) : Value(value);
    }
    }
}

SqlStatement::StoredCell SqlStatement::storedCell(int index) const {
    sqlite3_value* value = sqlite3_column_value(statement_, index);
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        return {};
    case SQLITE_INTEGER:
        return {StoredKind::Integer, sqlite3_value_int64(value), nullptr, 0};
    case SQLITE_TEXT: {
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        return {StoredKind::Text, 0, text, static_cast<std::size_t>(sqlite3_value_bytes(value))};
    }
    default:
        return {StoredKind::Other, 0, nullptr, 0};
    }
}

} // namespace tiravo
