#pragma once

#include <QCryptographicHash>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tiravo {

class Connection;
class Dataset;
struct PoolDescription;

// The available entries of a pool as a record row names them before a
// change: how many there are and their fingerprint (see RecordChain.h).
struct AvailableEntries {
    QString table;
    std::int64_t count = 0;
    QString fingerprint;
    // The connection's data version when they were read: they hold for as
    // long as no other connection has committed since.
    std::int64_t dataVersion = 0;
};

// Reads the available entries of a pool in the order of Cod, a part at a
// time, so that a draw can take them while its frames are on the screen.
// Between the parts nothing but the pool's keys may change: the caller holds
// the transaction that keeps every other program out.
class AvailableEntriesReading {
public:
    AvailableEntriesReading(Connection& connection, const PoolDescription& pool);

    // Reads up to `rows` more entries; false once every entry has been read.
    bool readMore(std::size_t rows);
    // Reads what is left.
    AvailableEntries readAll();
    bool done() const { return done_; }
    AvailableEntries result() const;

private:
    Connection& connection_;
    const PoolDescription& pool_;
    QCryptographicHash hash_{QCryptographicHash::Sha256};
    std::optional<std::int64_t> lastCod_;
    std::int64_t count_ = 0;
    std::int64_t dataVersion_ = 0;
    bool done_ = false;
};

// The available entries as the pool view `view` holds them: the rows a draw
// over it walks, which are not the file's once another program has changed
// the file since the view was read. The cursor ends where it stood.
AvailableEntries EntriesOfView(Dataset& view, const PoolDescription& pool);

} // namespace tiravo
