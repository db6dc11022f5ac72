#include "store/SideFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tiravo {

void KeepSideFilesWritable(const QString& databaseFile) {
    for (const char* suffix : {"-wal", "-shm"}) {
        const QByteArray side = databaseFile.toLocal8Bit() + suffix;
        // Changed through what was opened, and never through a link: what is
        // changed is the file that was looked at.
        const int fd = ::open(side.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0)
            continue;
        struct stat status {};
        if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && (status.st_mode & S_IWUSR) == 0)
            // Refused when the file is another owner's; nothing to be done then.
            (void)::fchmod(fd, (status.st_mode & 07777) | S_IWUSR);
        ::close(fd);
    }
}

} // namespace tiravo
