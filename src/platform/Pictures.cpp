#include "platform/Pictures.h"

#include "platform/BoundedRead.h"
#include "platform/ExifOrientation.h"
#include "platform/JpegDecoder.h"
#include "platform/PictureErrors.h"
#include "platform/PictureKinds.h"
#include "platform/QtPictureDecoder.h"

#include <QFile>
#include <QFileInfo>

namespace tiravo {

namespace {

// Far beyond any photo; a file this size named as a picture is a wrong
// choice (a video, a disk image) that would only exhaust memory.
constexpr qint64 kMaxPictureFileBytes = qint64(512) << 20;

QByteArray readPictureFile(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists())
        throw missingPictureError(path);
    if (info.isDir())
        throw notAFileError(path);
    // isFile() follows links: a link to a photo is a photo. A device such as
    // /dev/zero says nothing of its size and never ends, and opening a pipe
    // waits for a writer.
    if (!info.isFile())
        throw notARegularFileError(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw unreadablePictureError(path, file.errorString());
    // Replaced by a device between the look and the opening.
    if (file.isSequential())
        throw notARegularFileError(path);
    if (file.size() > kMaxPictureFileBytes)
        throw pictureFileTooLargeError(path);
    // The size of a device or pipe says nothing, so the read is bounded too.
    const QByteArray bytes = readAtMost(file, kMaxPictureFileBytes);
    if (file.error() != QFileDevice::NoError)
        throw unreadablePictureError(path, file.errorString());
    if (bytes.size() > kMaxPictureFileBytes)
        throw pictureFileTooLargeError(path);
    if (bytes.isEmpty())
        throw emptyPictureError(path);
    return bytes;
}

QImage load(const QString& path, const FitRequest& request) {
    // The extension is judged before the file is touched, so an unknown one
    // gives its fixed message whether the file exists or not.
    const QString extension = QFileInfo(path).suffix();
    const std::optional<PictureKind> named = kindOfExtension(extension);
    if (!named)
        throw unknownExtensionError(extension);

    const PictureFile file{path, readPictureFile(path)};
    const PictureKind kind = kindOfContents(file.bytes).value_or(*named);
    if (kind == PictureKind::Jpeg) {
        // A phone's portrait photo lies on its side until its Exif note is obeyed.
        const int orientation = JpegExifOrientation(file.bytes);
        const FitRequest turned{BoxBeforeTurning(request.box, orientation), request.mode};
        return Upright(decodeJpeg(file, turned), orientation);
    }
    return decodeWithQt(file, kind, request);
}

} // namespace

QImage LoadPicture(const QString& path) {
    return load(path, FitRequest{});
}

QImage LoadPictureToFit(const QString& path, QSize box, Qt::AspectRatioMode mode) {
    return load(path, FitRequest{box, mode});
}

void CheckPicture(const QString& path) {
    // The smallest box there is asks libjpeg for its smallest scale.
    load(path, FitRequest{QSize(1, 1), Qt::KeepAspectRatio});
}

} // namespace tiravo
