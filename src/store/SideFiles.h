#pragma once

#include <QString>

namespace tiravo {

// The engine keeps a log ("-wal") and an index of it ("-shm") beside the
// database file, and makes them with the file's own permissions. Beside a
// file that cannot be written they come out read-only too, and they outlive
// the run: once the operator has made the file writable again, the engine
// still cannot use them, and the program could open the file neither to
// write nor to read. This gives them back their owner's right to write, as
// they would have had beside a writable file; a side file of another owner,
// which cannot be changed, is left as it is.
void KeepSideFilesWritable(const QString& databaseFile);

} // namespace tiravo
