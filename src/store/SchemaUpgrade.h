#pragma once

namespace tiravo {

class Connection;

// Brings a file made by an earlier version of the database tool up to the
// schema of this one: version 0 gets the record of draws, version 1 the
// indexes that the winners lists read by, version 2 the table of prize
// plans, version 3 the table of presentation settings. One transaction, taken with the
// write lock, so that two copies of the program opening the same old file
// upgrade it once. Nothing else of the file changes. A file of
// a later version than this program knows is left as it is.
void UpgradeSchema(Connection& connection);

// The file's schema version.
int SchemaVersion(Connection& connection);

} // namespace tiravo
