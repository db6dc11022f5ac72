// The Exif orientation note of a JPEG, read from bytes nobody vouches for:
// any input gives one of the eight orientations, and a picture turned by it
// keeps its pixels, its sides swapped exactly when the note says so.
#include "FuzzEntry.h"

#include "platform/ExifOrientation.h"

#include <QByteArray>
#include <QImage>

namespace {

using namespace tiravo;

void fuzzExif(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const int orientation = JpegExifOrientation(bytes);
    fuzz::require(orientation >= 1 && orientation <= 8, "an orientation is one of the eight");

    QImage picture(3, 2, QImage::Format_RGB32);
    picture.fill(Qt::white);
    const QImage turned = Upright(picture, orientation);
    const QSize expected = SwapsSides(orientation) ? QSize(2, 3) : QSize(3, 2);
    fuzz::require(turned.size() == expected, "a turned picture keeps its pixels");
}

} // namespace

TIRAVO_FUZZ_TARGET("exif", fuzzExif)
