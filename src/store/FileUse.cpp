#include "store/FileUse.h"

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace tiravo {

namespace {

// Where the engine takes its locks in the database file itself: the pending
// byte at 1 GiB, the reserved byte after it and the 510 shared bytes.
constexpr off_t kLockBytesStart = 0x40000000;
constexpr off_t kLockBytesLength = 512;

// Whether some other process holds a lock that would conflict with a write
// lock over [start, start + length); a length of 0 runs to the end of file.
bool Locked(const QString& path, off_t start, off_t length) {
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct flock probe = {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = start;
    probe.l_len = length;
    const bool held = ::fcntl(fd, F_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

} // namespace

bool OpenInAnotherProcess(const QString& path) {
    return Locked(path + QLatin1String("-shm"), 0, 0) ||
           Locked(path, kLockBytesStart, kLockBytesLength);
}

} // namespace tiravo
