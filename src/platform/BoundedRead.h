#pragma once

#include <QByteArray>
#include <QFileDevice>

namespace tiravo {

// The bytes of an open file, at most `limit` + 1 of them, so that a caller
// can tell a file over its limit from one at it. QIODevice::read(n) reserves
// n bytes before it reads one: asked for the whole limit, it would take
// hundreds of megabytes of memory for a file of a few bytes, and fail with
// std::bad_alloc where that much is not to be had. Errors are left in the
// file's error() for the caller.
QByteArray readAtMost(QFileDevice& file, qint64 limit);

} // namespace tiravo
