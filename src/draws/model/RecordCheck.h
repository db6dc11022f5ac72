#pragma once

#include <QString>

#include <cstdint>

namespace tiravo {

class Connection;

struct RecordCheck {
    bool holds = true;
    std::int64_t rows = 0;         // rows read
    std::int64_t fingerprints = 0; // fingerprints recomputed
    QString lastHash;              // of the last row; empty for an empty record
    QString problem;               // the first row that does not hold, and why
};

// Recomputes the chain: each row's sequence number follows the one before,
// its previous hash is the hash of the row before and its hash is that of its
// own fields. Then, pool by pool, it traces the entries available now back
// through the newest rows that name one entry (a draw takes one out, "<<<"
// puts one back), to the pool's newest bulk action, and recomputes each such
// row's fingerprint and count of available entries. A change of a pool that
// the record does not hold (a name edited in the name editor's grid, a
// number typed into the number editor's grid) makes those fail too.
RecordCheck CheckRecord(Connection& connection);

} // namespace tiravo
