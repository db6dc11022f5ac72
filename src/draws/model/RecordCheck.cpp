#include "draws/model/RecordCheck.h"

#include "draws/model/PoolDescription.h"
#include "draws/model/RecordActions.h"
#include "draws/model/RecordChain.h"
#include "store/Connection.h"
#include "store/Schema.h"
#include "store/SqlStatement.h"

#include <map>
#include <set>

namespace tiravo {

namespace {

using Entries = std::map<std::int64_t, QByteArray>; // Cod -> fingerprint line

QString RowName(const RecordRow& row) {
    return QStringLiteral("Row %1 (Cod %2)").arg(row.sequence).arg(row.cod);
}

Entries AvailableNow(Connection& connection, const PoolDescription& pool) {
    SqlStatement& select = connection.statement(
        QStringLiteral("SELECT \"Cod\", \"%1\" FROM \"%2\" WHERE \"Ok\" = 1 ORDER BY \"Cod\"")
            .arg(pool.entryColumn, pool.table));
    const ColumnType type = TableNamed(pool.table).find(pool.entryColumn)->type;
    Entries entries;
    while (select.step()) {
        const std::int64_t cod = std::get<std::int64_t>(select.column(0, ColumnType::Key));
        entries.emplace_hint(entries.end(), cod, FingerprintLine(cod, select.column(1, type)));
    }
    select.reset();
    return entries;
}

Value StoredEntry(const PoolDescription& pool, const std::optional<QString>& entry) {
    if (!entry)
        return {};
    if (&pool == &NumberPool()) {
        bool ok = false;
        const qlonglong number = entry->toLongLong(&ok);
        if (ok)
            return std::int64_t(number);
    }
    return *entry;
}

QString FingerprintOfEntries(const Entries& entries) {
    QByteArray lines;
    for (const auto& [cod, line] : entries)
        lines += line;
    return FingerprintOf(lines);
}

// The actions that put their entry back among the available ones; every
// other entry action takes it out.
bool PutsBack(const QString& action) {
    return action == RecordActionText(RecordAction::Return) ||
           action == RecordActionText(RecordAction::NameAdded);
}

QString CheckChain(const std::vector<RecordRow>& rows) {
    std::int64_t expected = 1;
    QString previous = kFirstPreviousHash;
    for (const RecordRow& row : rows) {
        if (row.sequence != expected)
            return QStringLiteral("%1 does not hold: its sequence number is %2 where %3 was "
                                  "expected, so a row before it is missing or the rows were "
                                  "reordered")
                .arg(RowName(row))
                .arg(row.sequence)
                .arg(expected);
        if (row.previousHash != previous)
            return QStringLiteral("%1 does not hold: its previous hash is not the hash of the row "
                                  "before it, so that row was changed, deleted or moved")
                .arg(RowName(row));
        if (RowHash(row) != row.hash)
            return QStringLiteral("%1 does not hold: its hash is not the hash of its fields, so "
                                  "the row was changed")
                .arg(RowName(row));
        previous = row.hash;
        ++expected;
    }
    return {};
}

} // namespace

RecordCheck CheckRecord(Connection& connection) {
    RecordCheck check;
    const std::vector<RecordRow> rows = ReadRecord(connection);
    check.rows = std::int64_t(rows.size());
    if (!rows.empty())
        check.lastHash = rows.back().hash;
    check.problem = CheckChain(rows);
    if (!check.problem.isEmpty()) {
        check.holds = false;
        return check;
    }

    std::map<QString, Entries> available;
    std::set<QString> traced; // pools whose trace met a bulk action
    for (const PoolDescription* pool : Pools())
        available[pool->name] = AvailableNow(connection, *pool);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        const PoolDescription* pool = PoolNamed(row->pool);
        // A change of the prize plan, or an absence, leaves the pool's
        // available entries as they were: the trace goes on past it.
        if (!pool || traced.count(pool->name) || !MovesEntries(row->action))
            continue;
        if (!IsEntryAction(row->action) || !row->item || !row->fingerprint) {
            traced.insert(pool->name);
            continue;
        }
        Entries& entries = available[pool->name];
        if (PutsBack(row->action))
            entries.erase(*row->item);
        else
            entries[*row->item] = FingerprintLine(*row->item, StoredEntry(*pool, row->entry));
        ++check.fingerprints;
        if (FingerprintOfEntries(entries) != *row->fingerprint ||
            std::int64_t(entries.size()) != row->available.value_or(-1)) {
            check.holds = false;
            check.problem =
                QStringLiteral("%1 does not hold: the entries of the pool %2 available before it, "
                               "traced back from the file, do not have its fingerprint; the pool "
                               "was changed outside the record since")
                    .arg(RowName(*row), pool->name);
            return check;
        }
    }
    return check;
}

} // namespace tiravo
