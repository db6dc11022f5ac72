#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tiravo {

// Plain 8-bit text files, as people write them on a desktop: UTF-8 when the
// bytes are valid UTF-8 (a leading byte-order mark is dropped), otherwise
// Windows-1252, the code page of Western European desktops.
//
// A line ends at a line feed; a carriage return just before it belongs to the
// line break, one anywhere else is dropped. The character 26 (Ctrl+Z) ends
// the text. A final line without a line break is still a line; the break
// after the last line does not start another one. Empty lines are kept: what
// a line means is the caller's to decide.

// Throws Error when the file cannot be opened or read, or is too large to be a
// text file of lines (more than kMaxTextFileBytes).
QStringList readTextFileLines(const QString& path);

// The bytes of such a file, or of a spreadsheet, undecoded; throws as above.
QByteArray readTextFileBytes(const QString& path);

QStringList textLines(const QByteArray& bytes);
QString decodeText(const QByteArray& bytes);

// Big enough for millions of names; small enough that a wrongly chosen file
// (a video, a disk image) is refused instead of exhausting memory.
inline constexpr qint64 kMaxTextFileBytes = 64 * 1024 * 1024;

} // namespace tiravo
