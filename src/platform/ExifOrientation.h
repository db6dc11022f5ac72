#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace tiravo {

// Phones and cameras store a photo as the sensor saw it and note in the
// file's Exif data how it must be turned to stand upright. The values are
// Exif's own: 1 upright, 2 mirrored, 3 upside down, 4 upside down mirrored,
// 5 to 8 the same four lying on their side (6: turn a quarter clockwise).

// The orientation a JPEG file's Exif data records; 1 when the file says
// nothing or says it in a way that cannot be read. The bytes come from the
// operator's files, so nothing in them is trusted.
int JpegExifOrientation(const QByteArray& jpeg);

// Whether the orientation swaps width and height.
inline bool SwapsSides(int orientation) {
    return orientation >= 5 && orientation <= 8;
}

// The box to decode a picture of this orientation into, so that it fits the
// box `box` once turned upright.
inline QSize BoxBeforeTurning(QSize box, int orientation) {
    return SwapsSides(orientation) ? box.transposed() : box;
}

// `picture` turned and mirrored as the orientation asks.
QImage Upright(const QImage& picture, int orientation);

} // namespace tiravo
