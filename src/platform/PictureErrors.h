#pragma once

#include "common/Error.h"

#include <QSize>
#include <QString>

namespace tiravo {

// Every text the picture loader shows the operator, in one place. Each names
// the file, in the desktop's own spelling of paths, except the unknown
// extension, whose text is fixed.

Error unknownExtensionError(const QString& extension);
Error missingPictureError(const QString& path);
Error notAFileError(const QString& path);
Error notARegularFileError(const QString& path);
Error unreadablePictureError(const QString& path, const QString& reason);
Error emptyPictureError(const QString& path);
Error damagedPictureError(const QString& path, const QString& kind, const QString& reason);
Error pictureTooLargeError(const QString& path, QSize size);
Error pictureFileTooLargeError(const QString& path);
Error pictureOutOfMemoryError(const QString& path);
Error unsupportedPictureError(const QString& path, const QString& kind);

} // namespace tiravo
