#include "platform/PictureKinds.h"

#include <QByteArray>

namespace tiravo {

std::optional<PictureKind> kindOfExtension(const QString& extension) {
    const QString lower = extension.toLower();
    if (lower == u"bmp")
        return PictureKind::Bitmap;
    if (lower == u"jpg" || lower == u"jpeg")
        return PictureKind::Jpeg;
    if (lower == u"gif")
        return PictureKind::Gif;
    if (lower == u"png")
        return PictureKind::Png;
    if (lower == u"tif" || lower == u"tiff")
        return PictureKind::Tiff;
    if (lower == u"ico")
        return PictureKind::Icon;
    if (lower == u"emf")
        return PictureKind::Emf;
    if (lower == u"wmf")
        return PictureKind::Wmf;
    return std::nullopt;
}

std::optional<PictureKind> kindOfContents(QByteArrayView bytes) {
    const auto startsWith = [bytes](QByteArrayView signature) {
        return bytes.startsWith(signature);
    };
    if (startsWith("\xFF\xD8\xFF"))
        return PictureKind::Jpeg;
    if (startsWith("\x89PNG\r\n\x1A\n"))
        return PictureKind::Png;
    if (startsWith("GIF87a") || startsWith("GIF89a"))
        return PictureKind::Gif;
    if (startsWith("BM"))
        return PictureKind::Bitmap;
    if (startsWith(QByteArrayView("II*\0", 4)) || startsWith(QByteArrayView("MM\0*", 4)))
        return PictureKind::Tiff;
    // Icons have only a weak signature (reserved zero, type 1, a non-zero
    // count); it is trusted only when nothing else matched.
    if (bytes.size() >= 6 && startsWith(QByteArrayView("\0\0\1\0", 4)) &&
        (bytes[4] != 0 || bytes[5] != 0))
        return PictureKind::Icon;
    if (startsWith("\xD7\xCD\xC6\x9A"))
        return PictureKind::Wmf;
    if (bytes.size() >= 44 && startsWith(QByteArrayView("\1\0\0\0", 4)) &&
        bytes.sliced(40, 4) == " EMF")
        return PictureKind::Emf;
    return std::nullopt;
}

QString kindName(PictureKind kind) {
    switch (kind) {
    case PictureKind::Bitmap:
        return QStringLiteral("BMP");
    case PictureKind::Jpeg:
        return QStringLiteral("JPEG");
    case PictureKind::Gif:
        return QStringLiteral("GIF");
    case PictureKind::Png:
        return QStringLiteral("PNG");
    case PictureKind::Tiff:
        return QStringLiteral("TIFF");
    case PictureKind::Icon:
        return QStringLiteral("ICO");
    case PictureKind::Emf:
        return QStringLiteral("EMF");
    case PictureKind::Wmf:
        return QStringLiteral("WMF");
    }
    return {};
}

} // namespace tiravo
