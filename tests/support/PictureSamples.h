#pragma once

#include <QByteArray>
#include <QImage>
#include <QRgb>
#include <QSize>

namespace tiravo::test {

// Pictures made on the spot, so no sample file of unknown origin enters the
// repository.

// Four flat quadrants, red, green / blue, white: colours every format keeps
// and every scale can be checked against.
QImage quadrants(QSize size);
// The quadrant colour expected at a point of a picture of `size`.
QRgb quadrantColour(QSize size, QPoint point);
// True when every quadrant of `image`, sampled away from the edges where
// scaling blends them, shows its colour within `tolerance` per channel.
bool showsQuadrants(const QImage& image, int tolerance);

enum class JpegColours { Rgb, Grey, AdobeCmyk, AdobeYcck };

struct JpegOptions {
    JpegColours colours = JpegColours::Rgb;
    bool progressive = false;
    // Progressive, with each coefficient of each colour in a scan of its own.
    bool scanPerCoefficient = false;
    int quality = 90;
};

// Written through libjpeg itself, which is the only way to a CMYK file.
QByteArray encodeJpeg(const QImage& image, const JpegOptions& options = {});
// GIF with a 3-3-2 colour palette; Qt has no GIF writer.
QByteArray encodeGif(const QImage& image);
// Any format Qt writes: "png", "bmp", "ico", "tiff".
QByteArray encodeWithQt(const QImage& image, const char* format);

// The offset just after a JPEG's start-of-scan header, where the compressed
// data begins.
qsizetype jpegScanStart(const QByteArray& jpeg);

} // namespace tiravo::test
