#pragma once

#include <QString>

namespace tiravo {

// Whether another process has the database file open, an idle program at
// its main window included. In write-ahead-log mode every open connection
// holds a shared lock on the log's index (the -shm file) for as long as it is
// open; a reader or writer in rollback-journal mode holds one on the lock
// bytes of the file itself. The locks of this process do not count.
bool OpenInAnotherProcess(const QString& path);

} // namespace tiravo
