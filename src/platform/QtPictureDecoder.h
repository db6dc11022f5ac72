#pragma once

#include "platform/PictureFit.h"
#include "platform/PictureKinds.h"

#include <QImage>

namespace tiravo {

// Decodes every kind but JPEG through Qt's image readers, with the reader
// of `kind` alone: the contents have already said what the file is. A kind
// with no reader on this system (metafiles always; TIFF without Qt's extra
// image plugins) fails with its own message. An icon shows its largest image;
// one that holds more than kMaxIconPictures is refused.
// Throws Error naming the file.
// Real icons hold a picture at a handful of sizes and colour depths.
inline constexpr int kMaxIconPictures = 64;

QImage decodeWithQt(const PictureFile& file, PictureKind kind, const FitRequest& request);

} // namespace tiravo
