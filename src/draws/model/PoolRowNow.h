#pragma once

#include "store/Value.h"

#include <cstdint>
#include <optional>

namespace tiravo {

class Connection;
struct PoolDescription;

// A pool row as the file holds it now, read by its Cod: what the record names
// (the entry as stored, its place) and whether it is available.
struct PoolRowNow {
    bool available = false;
    Value place;
    Value entry;
};

// Nothing when the row is gone.
std::optional<PoolRowNow> ReadPoolRow(Connection& connection, const PoolDescription& pool,
                                      std::int64_t cod);

} // namespace tiravo
