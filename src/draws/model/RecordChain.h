#pragma once

#include "store/Value.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

namespace tiravo {

class Connection;

// The record of draws: one row per change of a pool's state, chained by
// hashes so that a row changed, deleted or moved by hand shows. How a hash
// and a fingerprint are made is told in the README, byte for byte, so that
// anybody can recompute them from a dump of the file.

// The previous hash of the first row.
inline const QString kFirstPreviousHash = QString(64, u'0');

// One row of the record as stored.
struct RecordRow {
    std::int64_t cod = 0;
    std::int64_t sequence = 0;
    QString moment; // UTC, 2026-12-09T17:45:07.123Z
    QString offset; // the local offset then, +01:00
    QString operatorName;
    QString pool;
    QString action;
    std::optional<std::int64_t> item; // the entry's Cod in its pool table
    std::optional<QString> entry;
    std::optional<std::int64_t> place;
    std::optional<std::int64_t> available; // entries available before
    std::optional<std::int64_t> count;     // entries a bulk action wrote
    std::optional<QString> fingerprint;
    QString previousHash;
    QString hash;

    // The local date and time of day the row was written.
    QDateTime localMoment() const;
};

// The values of the hashed columns, Sequencia to HashAnterior, in their order.
std::vector<Value> HashedFields(const RecordRow& row);
// SHA-256, in lower-case hex, of the hashed columns as a dump prints them,
// joined by tabs, in UTF-8; only the escapes of RecordHash apply, so a control
// character other than a tab or a line break is hashed as itself.
QString RowHash(const RecordRow& row);

// One line of a fingerprint: the entry's Cod, a tab, the entry as a dump
// prints it (with the escapes of RecordHash only), a line feed; UTF-8.
QByteArray FingerprintLine(std::int64_t cod, const Value& entry);
// The same line at the end of `lines`.
void AppendFingerprintLine(QByteArray& lines, std::int64_t cod, const Value& entry);
QString FingerprintOf(const QByteArray& lines); // SHA-256, lower-case hex

// Every row of the record, in the order of Cod (oldest first).
std::vector<RecordRow> ReadRecord(Connection& connection);

} // namespace tiravo
