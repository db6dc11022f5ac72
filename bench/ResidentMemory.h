#pragma once

#include <QFile>

#include <unistd.h>

namespace tiravo {

// The resident memory of the whole process, in megabytes (of 10^6 bytes).
inline double ResidentMegabytes() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    if (fields.size() < 2)
        return 0;
    return double(fields[1].toLongLong()) * double(sysconf(_SC_PAGESIZE)) / 1e6;
}

} // namespace tiravo
