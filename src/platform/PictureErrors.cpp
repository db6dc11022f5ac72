#include "platform/PictureErrors.h"

#include <QDir>

namespace tiravo {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

Error unknownExtensionError(const QString& extension) {
    return Error(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
}

Error missingPictureError(const QString& path) {
    return Error(
        QStringLiteral("Cannot open file \"%1\": the file does not exist").arg(shown(path)));
}

Error notAFileError(const QString& path) {
    return Error(QStringLiteral("Cannot open file \"%1\": it is a folder, not a picture file")
                     .arg(shown(path)));
}

Error notARegularFileError(const QString& path) {
    return Error(QStringLiteral("Cannot open file \"%1\": it is a device or a pipe, not a "
                                "picture file")
                     .arg(shown(path)));
}

Error unreadablePictureError(const QString& path, const QString& reason) {
    return Error(QStringLiteral("Cannot read file \"%1\": %2").arg(shown(path), reason));
}

Error emptyPictureError(const QString& path) {
    return Error(QStringLiteral("The picture file \"%1\" is empty").arg(shown(path)));
}

Error damagedPictureError(const QString& path, const QString& kind, const QString& reason) {
    return Error(QStringLiteral("The picture file \"%1\" is damaged or is not in %2 format (%3)")
                     .arg(shown(path), kind, reason));
}

Error pictureTooLargeError(const QString& path, QSize size) {
    return Error(
        QStringLiteral("The picture file \"%1\" is too large to show (%2 x %3 pixels)")
            .arg(shown(path), QString::number(size.width()), QString::number(size.height())));
}

Error pictureFileTooLargeError(const QString& path) {
    return Error(
        QStringLiteral("The file \"%1\" is too large to be a picture file").arg(shown(path)));
}

Error pictureOutOfMemoryError(const QString& path) {
    return Error(
        QStringLiteral("Not enough memory to show the picture file \"%1\"").arg(shown(path)));
}

Error unsupportedPictureError(const QString& path, const QString& kind) {
    return Error(QStringLiteral("Cannot load %1 pictures on this system (file \"%2\")")
                     .arg(kind, shown(path)));
}

} // namespace tiravo
