#include "support/PictureSamples.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace tiravo::test {

QRgb quadrantColour(QSize size, QPoint point) {
    const bool right = point.x() >= size.width() / 2;
    const bool bottom = point.y() >= size.height() / 2;
    if (!bottom)
        return right ? qRgb(0, 255, 0) : qRgb(255, 0, 0);
    return right ? qRgb(255, 255, 255) : qRgb(0, 0, 255);
}

QImage quadrants(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    const int w = size.width(), h = size.height();
    QPainter painter(&image);
    painter.fillRect(0, 0, w / 2, h / 2, QColor(quadrantColour(size, {0, 0})));
    painter.fillRect(w / 2, 0, w - w / 2, h / 2, QColor(quadrantColour(size, {w - 1, 0})));
    painter.fillRect(0, h / 2, w / 2, h - h / 2, QColor(quadrantColour(size, {0, h - 1})));
    painter.fillRect(w / 2, h / 2, w - w / 2, h - h / 2,
                     QColor(quadrantColour(size, {w - 1, h - 1})));
    return image;
}

bool showsQuadrants(const QImage& image, int tolerance) {
    const QSize size = image.size();
    const auto near = [tolerance](int a, int b) { return std::abs(a - b) <= tolerance; };
    for (const double fx : {0.25, 0.75}) {
        for (const double fy : {0.25, 0.75}) {
            const QPoint point(int(size.width() * fx), int(size.height() * fy));
            const QRgb want = quadrantColour(size, point);
            const QRgb got = image.pixel(point);
            if (!near(qRed(got), qRed(want)) || !near(qGreen(got), qGreen(want)) ||
                !near(qBlue(got), qBlue(want)))
                return false;
        }
    }
    return true;
}

namespace {

// Adobe's inverted CMYK: each stored value is 255 minus the ink.
void toInvertedCmyk(QRgb pixel, unsigned char* out) {
    const int r = qRed(pixel), g = qGreen(pixel), b = qBlue(pixel);
    const int brightest = std::max({r, g, b});
    const auto part = [brightest](int channel) {
        return brightest == 0 ? 255 : channel * 255 / brightest;
    };
    out[0] = static_cast<unsigned char>(part(r));
    out[1] = static_cast<unsigned char>(part(g));
    out[2] = static_cast<unsigned char>(part(b));
    out[3] = static_cast<unsigned char>(brightest);
}

} // namespace

QByteArray encodeJpeg(const QImage& image, const JpegOptions& options) {
    // libjpeg's own error handler ends the process; a sample this code makes
    // never trips it.
    jpeg_compress_struct cinfo;
    jpeg_error_mgr errors;
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);

    const bool cmyk =
        options.colours == JpegColours::AdobeCmyk || options.colours == JpegColours::AdobeYcck;
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    if (options.colours == JpegColours::Grey) {
        cinfo.input_components = 1;
        cinfo.in_color_space = JCS_GRAYSCALE;
    } else if (cmyk) {
        cinfo.input_components = 4;
        cinfo.in_color_space = JCS_CMYK;
    } else {
        cinfo.input_components = 3;
        cinfo.in_color_space = JCS_RGB;
    }
    jpeg_set_defaults(&cinfo);
    if (options.colours == JpegColours::AdobeYcck)
        jpeg_set_colorspace(&cinfo, JCS_YCCK);
    jpeg_set_quality(&cinfo, options.quality, TRUE);
    if (options.progressive)
        jpeg_simple_progression(&cinfo);
    std::vector<jpeg_scan_info> scans;
    if (options.scanPerCoefficient) {
        jpeg_scan_info dc{};
        dc.comps_in_scan = cinfo.num_components;
        for (int c = 0; c < cinfo.num_components; ++c)
            dc.component_index[c] = c;
        scans.push_back(dc);
        for (int c = 0; c < cinfo.num_components; ++c) {
            for (int k = 1; k < 64; ++k) {
                jpeg_scan_info ac{};
                ac.comps_in_scan = 1;
                ac.component_index[0] = c;
                ac.Ss = k;
                ac.Se = k;
                scans.push_back(ac);
            }
        }
        cinfo.scan_info = scans.data();
        cinfo.num_scans = int(scans.size());
    }
    jpeg_start_compress(&cinfo, TRUE);

    std::vector<unsigned char> row(std::size_t(image.width()) * 4);
    while (cinfo.next_scanline < cinfo.image_height) {
        const int y = int(cinfo.next_scanline);
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (options.colours == JpegColours::Grey) {
                row[x] = static_cast<unsigned char>(qGray(pixel));
            } else if (cmyk) {
                toInvertedCmyk(pixel, &row[std::size_t(x) * 4]);
            } else {
                row[std::size_t(x) * 3] = static_cast<unsigned char>(qRed(pixel));
                row[std::size_t(x) * 3 + 1] = static_cast<unsigned char>(qGreen(pixel));
                row[std::size_t(x) * 3 + 2] = static_cast<unsigned char>(qBlue(pixel));
            }
        }
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&cinfo, &rowPointer, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    QByteArray bytes(reinterpret_cast<const char*>(buffer), qsizetype(size));
    std::free(buffer);
    return bytes;
}

QByteArray encodeGif(const QImage& image) {
    QByteArray out("GIF89a");
    const auto word = [&out](int value) {
        out.append(char(value & 0xFF));
        out.append(char((value >> 8) & 0xFF));
    };
    word(image.width());
    word(image.height());
    out.append(char(0xF7)); // global table of 256 colours
    out.append('\0');
    out.append('\0');
    for (int index = 0; index < 256; ++index) {
        out.append(char(((index >> 5) & 7) * 255 / 7));
        out.append(char(((index >> 2) & 7) * 255 / 7));
        out.append(char((index & 3) * 255 / 3));
    }
    out.append(',');
    word(0);
    word(0);
    word(image.width());
    word(image.height());
    out.append('\0');
    out.append(char(8)); // minimum code size

    // Codes stay 9 bits wide because a clear code comes before the table
    // would grow: plain to write, and still a valid LZW stream.
    QByteArray data;
    unsigned bits = 0;
    int pending = 0;
    const auto put = [&](unsigned code) {
        bits |= code << pending;
        pending += 9;
        while (pending >= 8) {
            data.append(char(bits & 0xFF));
            bits >>= 8;
            pending -= 8;
        }
    };
    constexpr unsigned kClear = 256, kEnd = 257;
    put(kClear);
    int sinceClear = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (sinceClear == 254) {
                put(kClear);
                sinceClear = 0;
            }
            const QRgb pixel = image.pixel(x, y);
            put(unsigned((qRed(pixel) >> 5) << 5 | (qGreen(pixel) >> 5) << 2 | qBlue(pixel) >> 6));
            ++sinceClear;
        }
    }
    put(kEnd);
    if (pending > 0)
        data.append(char(bits & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype length = std::min<qsizetype>(255, data.size() - at);
        out.append(char(length));
        out.append(data.mid(at, length));
    }
    out.append('\0');
    out.append(';');
    return out;
}

QByteArray encodeWithQt(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (!writer.write(image))
        return {};
    return bytes;
}

qsizetype jpegScanStart(const QByteArray& jpeg) {
    const qsizetype marker = jpeg.indexOf("\xFF\xDA");
    if (marker < 0)
        return -1;
    const int length = (static_cast<unsigned char>(jpeg[marker + 2]) << 8) |
                       static_cast<unsigned char>(jpeg[marker + 3]);
    return marker + 2 + length;
}

} // namespace tiravo::test
