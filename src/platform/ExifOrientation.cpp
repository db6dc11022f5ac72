#include "platform/ExifOrientation.h"

#include <QTransform>

#include <cstdint>
#include <optional>

namespace tiravo {

namespace {

constexpr unsigned char kMarker = 0xFF;
constexpr unsigned char kStartOfImage = 0xD8;
constexpr unsigned char kStartOfScan = 0xDA;
constexpr unsigned char kEndOfImage = 0xD9;
constexpr unsigned char kApp1 = 0xE1;
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;

// A window on bytes that answers nothing rather than read past its end.
class Bytes {
public:
    Bytes(const unsigned char* data, qsizetype size) : data_(data), size_(size) {}

    qsizetype size() const { return size_; }

    std::optional<unsigned> byte(qsizetype at) const {
        if (at < 0 || at >= size_)
            return std::nullopt;
        return data_[at];
    }
    std::optional<std::uint16_t> u16(qsizetype at, bool bigEndian) const {
        const auto a = byte(at), b = byte(at + 1);
        if (!a || !b)
            return std::nullopt;
        return static_cast<std::uint16_t>(bigEndian ? (*a << 8) | *b : (*b << 8) | *a);
    }
    std::optional<std::uint32_t> u32(qsizetype at, bool bigEndian) const {
        const auto high = u16(at, bigEndian), low = u16(at + 2, bigEndian);
        if (!high || !low)
            return std::nullopt;
        return bigEndian ? (std::uint32_t(*high) << 16) | *low
                         : (std::uint32_t(*low) << 16) | *high;
    }
    // The bytes [at, at + length), or nothing when they are not all there.
    std::optional<Bytes> slice(qsizetype at, qsizetype length) const {
        if (at < 0 || length < 0 || at > size_ || length > size_ - at)
            return std::nullopt;
        return Bytes(data_ + at, length);
    }
    bool startsWith(const char* text, qsizetype length) const {
        if (length > size_)
            return false;
        for (qsizetype i = 0; i < length; ++i)
            if (data_[i] != static_cast<unsigned char>(text[i]))
                return false;
        return true;
    }

private:
    const unsigned char* data_;
    qsizetype size_;
};

// The orientation entry of the first picture directory of a TIFF block.
std::optional<int> tiffOrientation(const Bytes& tiff) {
    bool bigEndian;
    if (tiff.startsWith("MM", 2))
        bigEndian = true;
    else if (tiff.startsWith("II", 2))
        bigEndian = false;
    else
        return std::nullopt;
    if (tiff.u16(2, bigEndian) != std::uint16_t(42))
        return std::nullopt;
    const auto directory = tiff.u32(4, bigEndian);
    if (!directory || *directory > std::uint32_t(tiff.size()))
        return std::nullopt;
    const qsizetype start = qsizetype(*directory);
    const auto count = tiff.u16(start, bigEndian);
    if (!count)
        return std::nullopt;
    for (qsizetype i = 0; i < *count; ++i) {
        const qsizetype entry = start + 2 + i * 12;
        const auto tag = tiff.u16(entry, bigEndian);
        const auto type = tiff.u16(entry + 2, bigEndian);
        const auto values = tiff.u32(entry + 4, bigEndian);
        const auto value = tiff.u16(entry + 8, bigEndian);
        if (!tag || !type || !values || !value)
            return std::nullopt; // the directory runs past its block
        if (*tag != kOrientationTag)
            continue;
        if (*type != kShortType || *values != 1)
            return std::nullopt;
        return int(*value);
    }
    return std::nullopt;
}

} // namespace

int JpegExifOrientation(const QByteArray& jpeg) {
    const Bytes file(reinterpret_cast<const unsigned char*>(jpeg.constData()), jpeg.size());
    if (file.byte(0) != kMarker || file.byte(1) != kStartOfImage)
        return 1;
    qsizetype at = 2;
    // The Exif block sits among the segments before the picture data; the
    // walk ends where that data starts, or where the segments stop making sense.
    while (true) {
        if (file.byte(at) != kMarker)
            return 1;
        const auto marker = file.byte(at + 1);
        if (!marker)
            return 1;
        if (*marker == kMarker) { // fill byte before a marker
            ++at;
            continue;
        }
        if (*marker == kStartOfScan || *marker == kEndOfImage)
            return 1;
        const auto length = file.u16(at + 2, true);
        if (!length || *length < 2)
            return 1;
        const auto segment = file.slice(at + 4, qsizetype(*length) - 2);
        if (!segment)
            return 1;
        if (*marker == kApp1 && segment->startsWith("Exif\0\0", 6)) {
            const auto orientation = tiffOrientation(*segment->slice(6, segment->size() - 6));
            if (orientation && *orientation >= 1 && *orientation <= 8)
                return *orientation;
            return 1;
        }
        at += 2 + *length;
    }
}

QImage Upright(const QImage& picture, int orientation) {
    switch (orientation) {
    case 2:
        return picture.mirrored(true, false);
    case 3:
        return picture.mirrored(true, true);
    case 4:
        return picture.mirrored(false, true);
    case 5:
        return picture.mirrored(false, true).transformed(QTransform().rotate(90));
    case 6:
        return picture.transformed(QTransform().rotate(90));
    case 7:
        return picture.mirrored(true, false).transformed(QTransform().rotate(90));
    case 8:
        return picture.transformed(QTransform().rotate(270));
    default:
        return picture;
    }
}

} // namespace tiravo
