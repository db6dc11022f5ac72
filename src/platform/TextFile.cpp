#include "platform/TextFile.h"

#include "common/Error.h"
#include "platform/BoundedRead.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <array>

namespace tiravo {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80 to 0x9F. The five bytes it
// leaves undefined map to the control characters of the same code, as the
// desktop's own conversion does.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

QString decodeWindows1252(const QByteArray& bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes) {
        const auto code = static_cast<unsigned char>(byte);
        *out++ = (code >= 0x80 && code <= 0x9F) ? QChar(kWindows1252High[code - 0x80])
                                                : QChar(char16_t(code));
    }
    return text;
}

QString cannotRead(const char* what, const QString& path, const QString& reason) {
    return QStringLiteral("Cannot %1 file \"%2\": %3")
        .arg(QLatin1String(what), QDir::toNativeSeparators(path), reason);
}

} // namespace

QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return decodeWindows1252(bytes);
}

QStringList textLines(const QByteArray& bytes) {
    // Ctrl+Z is one byte in both encodings and never part of a UTF-8 sequence,
    // so the text can be cut there before it is decoded.
    const qsizetype end = bytes.indexOf('\x1A');
    const QString text = decodeText(end < 0 ? bytes : bytes.left(end));

    QStringList lines;
    QString line;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')) {
            lines.append(line);
            line.clear();
        } else if (c != QLatin1Char('\r')) {
            line.append(c);
        }
    }
    if (!line.isEmpty())
        lines.append(line);
    return lines;
}

QStringList readTextFileLines(const QString& path) {
    return textLines(readTextFileBytes(path));
}

QByteArray readTextFileBytes(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(cannotRead("open", path, file.errorString()));
    const QString tooLarge = QStringLiteral("it is too large for a text file");
    if (file.size() > kMaxTextFileBytes)
        throw Error(cannotRead("read", path, tooLarge));
    // The size of a device or pipe says nothing, so the read is bounded too.
    const QByteArray bytes = readAtMost(file, kMaxTextFileBytes);
    if (file.error() != QFileDevice::NoError)
        throw Error(cannotRead("read", path, file.errorString()));
    if (bytes.size() > kMaxTextFileBytes)
        throw Error(cannotRead("read", path, tooLarge));
    return bytes;
}

} // namespace tiravo
