#pragma once

#include <vector>

class QTextStream;

namespace tiravo {
class Connection;
struct PoolDescription;
} // namespace tiravo

namespace tiravo::db {

// The prize plans of `pools`: each pool headed, then one line per prize
// with the places it covers, its quantity and its description.
void WritePrizePlans(Connection& connection, const std::vector<const PoolDescription*>& pools,
                     QTextStream& out);

} // namespace tiravo::db
