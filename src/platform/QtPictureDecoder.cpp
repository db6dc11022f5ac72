#include "platform/QtPictureDecoder.h"

#include "platform/PictureErrors.h"
#include "platform/PictureIntegrity.h"

#include <QBuffer>
#include <QImageReader>

namespace tiravo {

namespace {

QByteArray readerFormat(PictureKind kind) {
    switch (kind) {
    case PictureKind::Bitmap:
        return "bmp";
    case PictureKind::Gif:
        return "gif";
    case PictureKind::Png:
        return "png";
    case PictureKind::Tiff:
        return "tiff";
    case PictureKind::Icon:
        return "ico";
    case PictureKind::Jpeg:
        return "jpeg";
    case PictureKind::Emf:
    case PictureKind::Wmf:
        break;
    }
    return {};
}

// An icon file holds the same picture at several sizes; the largest one
// looks best in a box of any size. Any image that cannot be read makes the
// whole file a damaged one.
QImage readLargestIcon(const PictureFile& file, QImageReader& reader) {
    QImage largest;
    const int count = qMax(1, reader.imageCount());
    // Each picture is decoded, and a directory of a few bytes per entry can
    // point thousands of entries at one picture.
    if (count > kMaxIconPictures)
        throw damagedPictureError(file.path, kindName(PictureKind::Icon),
                                  QStringLiteral("it holds %1 pictures; an icon holds at most %2")
                                      .arg(count)
                                      .arg(kMaxIconPictures));
    for (int index = 0; index < count; ++index) {
        if (index > 0 && !reader.jumpToImage(index))
            return {};
        const QImage image = reader.read();
        if (image.isNull())
            return {};
        if (qint64(image.width()) * image.height() > qint64(largest.width()) * largest.height())
            largest = image;
    }
    return largest;
}

} // namespace

QImage decodeWithQt(const PictureFile& file, PictureKind kind, const FitRequest& request) {
    const QByteArray format = readerFormat(kind);
    if (format.isEmpty() || !QImageReader::supportedImageFormats().contains(format))
        throw unsupportedPictureError(file.path, kindName(kind));
    if (const QString fault = pictureFault(kind, file.bytes); !fault.isEmpty())
        throw damagedPictureError(file.path, kindName(kind), fault);

    QBuffer buffer;
    buffer.setData(file.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setAutoDetectImageFormat(false);
    reader.setDecideFormatFromContent(false);
    const QImage image = kind == PictureKind::Icon ? readLargestIcon(file, reader) : reader.read();
    if (image.isNull())
        throw damagedPictureError(file.path, kindName(kind), reader.errorString());

    QImage fitted = scaleToFit(image, request);
    if (fitted.isNull())
        throw pictureOutOfMemoryError(file.path);
    return fitted;
}

} // namespace tiravo
