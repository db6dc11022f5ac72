#pragma once

#include "platform/PictureFit.h"
#include "platform/PictureKinds.h"

#include <QImage>

namespace tiravo {

// Decodes every kind but JPEG through Qt's image readers, with the reader
// of `kind` alone: the contents have already said what the file is. A kind
// with no reader on this system (metafiles always; TIFF without Qt's extra
// image plugins) fails with its own message. An icon shows its largest image.
// Throws Error naming the file.
QImage decodeWithQt(const PictureFile& file, PictureKind kind, const FitRequest& request);

} // namespace tiravo
