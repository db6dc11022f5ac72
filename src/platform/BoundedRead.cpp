#include "platform/BoundedRead.h"

namespace tiravo {

QByteArray readAtMost(QFileDevice& file, qint64 limit) {
    constexpr qint64 kStep = qint64(1) << 20;
    const qint64 wanted = limit + 1;
    QByteArray bytes;
    // A plain file says its size; a device or pipe does not, and grows the
    // buffer step by step.
    if (!file.isSequential())
        bytes.reserve(qsizetype(qMin(file.size() - file.pos(), limit) + 1));
    while (bytes.size() < wanted) {
        const qsizetype at = bytes.size();
        // Within what is reserved first, so a plain file is read in one go
        // without the buffer moving.
        const qint64 room = bytes.capacity() - at;
        const qint64 step = qMin(room > 0 ? room : kStep, wanted - at);
        bytes.resize(at + qsizetype(step));
        const qint64 got = file.read(bytes.data() + at, step);
        bytes.resize(at + qsizetype(qMax<qint64>(got, 0)));
        if (got <= 0)
            break;
    }
    return bytes;
}

} // namespace tiravo
