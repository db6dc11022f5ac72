#pragma once

#include "draws/model/RecordChain.h"

namespace tiravo {

class Connection;
struct PoolDescription;

// Appends `row` to the record's chain: fills in its sequence, the previous
// row's hash, the time from the connection's clock, the operator and its own
// hash, and stores it. Runs inside the change's transaction, which holds the
// write lock, so that two copies of the program on one file append to one
// chain. The row as stored is returned. The first draw of a batch has no
// batch to name but itself: its count is its own sequence.
enum class CountIs { AsGiven, OwnSequence };
RecordRow AppendRecordRow(Connection& connection, RecordRow row, CountIs count = CountIs::AsGiven);

// The entries of the pool available now.
std::int64_t CountAvailable(Connection& connection, const PoolDescription& pool);

} // namespace tiravo
