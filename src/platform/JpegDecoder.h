#pragma once

#include "platform/PictureFit.h"

#include <QImage>
#include <QSize>

namespace tiravo {

// Decodes a JPEG file through libjpeg: baseline or progressive; grey
// pictures come back as Format_Grayscale8, colour and CMYK ones (Adobe's
// inverted form included) as Format_RGB32. With a box in `request` the file
// is decoded at the smallest DCT scale that still covers the fitted size and
// then brought down to exactly that size.
//
// Every error and every warning of libjpeg (data missing or corrupt, which it
// would otherwise paint over with grey) throws Error naming the file.
QImage decodeJpeg(const PictureFile& file, const FitRequest& request);

// The DCT scale, in eighths (1 to 8), at which libjpeg's output of a
// `picture` still covers `target` in both directions.
int jpegScaleFor(QSize picture, QSize target);

// A header announcing more pixels than this is refused before libjpeg asks
// for the memory: a photo of any camera stays well below it.
inline constexpr qint64 kMaxJpegPixels = qint64(1) << 28;

// Encoders write a progressive picture in about ten scans; far more is a
// file made to keep the decoder busy, and is refused.
inline constexpr int kMaxJpegScans = 100;

} // namespace tiravo
