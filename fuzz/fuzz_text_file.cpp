// The reader of 8-bit text files of names: any bytes give lines that hold no
// line break, carriage return or end-of-file mark, and the file on disk reads
// as the same bytes in memory do.
#include "FuzzEntry.h"

#include "common/Error.h"
#include "platform/TextFile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

using namespace tiravo;

const QString& scratchFile() {
    static const QString path = QDir::temp().filePath(
        QStringLiteral("tiravo-fuzz-%1.txt").arg(QCoreApplication::applicationPid()));
    return path;
}

void fuzzTextFile(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QStringList lines = textLines(bytes);

    const qsizetype cut = bytes.indexOf('\x1A');
    const QByteArray text = cut < 0 ? bytes : bytes.left(cut);
    const qsizetype breaks = text.count('\n');
    fuzz::require(lines.size() == breaks || lines.size() == breaks + 1,
                  "one line per line feed, and one for a last line without it");
    for (const QString& line : lines) {
        fuzz::require(!line.contains(u'\n') && !line.contains(u'\r') && !line.contains(u'\x1A'),
                      "no line holds a line break or the end-of-file mark");
    }

    QFile file(scratchFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    file.write(bytes);
    file.close();
    try {
        fuzz::require(readTextFileLines(scratchFile()) == lines,
                      "a file reads as its bytes in memory do");
    } catch (const Error&) {
        fuzz::fail("a small readable file is read");
    }
}

} // namespace

TIRAVO_FUZZ_TARGET("text_file", fuzzTextFile)
