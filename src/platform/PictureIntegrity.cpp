#include "platform/PictureIntegrity.h"

#include <cstdint>
#include <cstdlib>
#include <optional>

namespace tiravo {

namespace {

std::uint32_t bigEndian(QByteArrayView bytes, qsizetype at) {
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

std::uint32_t littleEndian(QByteArrayView bytes, qsizetype at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Steps over a chain of GIF data sub-blocks starting at `at`; the position
// after its terminating empty block, or -1 when the file ends inside it.
// `data` is given the number of bytes the chain carries.
qsizetype skipSubBlocks(QByteArrayView bytes, qsizetype at, qint64* data = nullptr) {
    qint64 carried = 0;
    while (at < bytes.size()) {
        const auto length = static_cast<unsigned char>(bytes[at]);
        ++at;
        if (length == 0) {
            if (data)
                *data = carried;
            return at;
        }
        at += length;
        carried += length;
    }
    return -1;
}

// The first image of a GIF as far as the file holds it: only it is shown, so
// only it has to be whole.
struct GifImage {
    bool whole = false; // its data chain ends inside the file
    qint64 screenArea = 0;
    qint64 area = 0;
    qint64 data = 0; // bytes of compressed pixels
};

std::optional<GifImage> firstGifImage(QByteArrayView bytes) {
    constexpr qsizetype kScreenDescriptorEnd = 13;
    if (bytes.size() < kScreenDescriptorEnd)
        return GifImage{};
    const auto colourTableSize = [](unsigned char flags) -> qsizetype {
        return (flags & 0x80) ? 3 * (qsizetype(2) << (flags & 7)) : 0;
    };
    GifImage image;
    image.screenArea = qint64(littleEndian(bytes, 6, 2)) * littleEndian(bytes, 8, 2);
    qsizetype at = kScreenDescriptorEnd + colourTableSize(static_cast<unsigned char>(bytes[10]));

    // Extensions before the image are stepped over.
    while (at >= 0 && at < bytes.size()) {
        const auto introducer = static_cast<unsigned char>(bytes[at]);
        if (introducer == 0x21) { // extension: label, then sub-blocks
            at = at + 2 > bytes.size() ? -1 : skipSubBlocks(bytes, at + 2);
        } else if (introducer == 0x2C) { // image: descriptor, colours, code size, data
            constexpr qsizetype kImageDescriptor = 10;
            if (at + kImageDescriptor > bytes.size())
                return image;
            image.area = qint64(littleEndian(bytes, at + 5, 2)) * littleEndian(bytes, at + 7, 2);
            at += kImageDescriptor +
                  colourTableSize(static_cast<unsigned char>(bytes[at + kImageDescriptor - 1]));
            if (at + 1 > bytes.size())
                return image;
            image.whole = skipSubBlocks(bytes, at + 1, &image.data) >= 0;
            return image;
        } else {
            return std::nullopt; // a trailer or stray byte: the reader decides
        }
    }
    return image;
}

} // namespace

QString pictureFault(PictureKind kind, QByteArrayView bytes) {
    if (!pictureLooksComplete(kind, bytes))
        return QStringLiteral("the file ends before the picture does");
    if (kind == PictureKind::Gif && !gifCoversItsScreen(bytes))
        return QStringLiteral("its image covers only a small part of its screen");
    return {};
}

bool pictureLooksComplete(PictureKind kind, QByteArrayView bytes) {
    switch (kind) {
    case PictureKind::Bitmap:
        return bitmapLooksComplete(bytes);
    case PictureKind::Gif:
        return gifLooksComplete(bytes);
    case PictureKind::Png:
        return pngLooksComplete(bytes);
    case PictureKind::Icon:
        return iconLooksComplete(bytes);
    default:
        return true;
    }
}

bool bitmapLooksComplete(QByteArrayView bytes) {
    if (!bytes.startsWith("BM"))
        return true;
    constexpr qsizetype kFileHeader = 14;
    if (bytes.size() < kFileHeader + 4)
        return false;
    const qint64 pixelsAt = littleEndian(bytes, 10, 4);
    const qint64 infoSize = littleEndian(bytes, kFileHeader, 4);
    if (bytes.size() < kFileHeader + infoSize)
        return false;

    qint64 width = 0;
    qint64 height = 0;
    qint64 bitsPerPixel = 0;
    std::uint32_t compression = 0;
    if (infoSize == 12) { // the old OS/2 header
        width = littleEndian(bytes, 18, 2);
        height = littleEndian(bytes, 20, 2);
        bitsPerPixel = littleEndian(bytes, 24, 2);
    } else if (infoSize >= 40) {
        width = static_cast<std::int32_t>(littleEndian(bytes, 18, 4));
        height = std::llabs(static_cast<std::int32_t>(littleEndian(bytes, 22, 4)));
        bitsPerPixel = littleEndian(bytes, 28, 2);
        compression = littleEndian(bytes, 30, 4);
    } else {
        return true;
    }
    // Only plain rows have a size the header alone gives (no compression, or
    // bit fields); run-length and embedded formats are left to the reader, as
    // are sizes no reader would accept anyway.
    constexpr std::uint32_t kPlain = 0, kBitFields = 3, kAlphaBitFields = 6;
    if (compression != kPlain && compression != kBitFields && compression != kAlphaBitFields)
        return true;
    if (width <= 0 || height <= 0 || bitsPerPixel <= 0 || bitsPerPixel > 64 || width > (1 << 24) ||
        height > (1 << 24))
        return true;

    const qint64 rowBytes = (width * bitsPerPixel + 7) / 8;
    const qint64 stride = (width * bitsPerPixel + 31) / 32 * 4;
    // Some writers leave out the padding after the last row; no pixel is in it.
    const qint64 needed = pixelsAt + stride * (height - 1) + rowBytes;
    return bytes.size() >= needed;
}

bool gifLooksComplete(QByteArrayView bytes) {
    if (!bytes.startsWith("GIF"))
        return true;
    const std::optional<GifImage> image = firstGifImage(bytes);
    if (!image)
        return true;
    // Every code of the compressed data takes at least 2 bits and stands for
    // at most 4096 pixels: data shorter than that cannot fill the image, and
    // the reader would paint the rest with the background.
    return image->whole && image->area * 2 <= image->data * 8 * 4096;
}

bool gifCoversItsScreen(QByteArrayView bytes) {
    if (!bytes.startsWith("GIF"))
        return true;
    const std::optional<GifImage> image = firstGifImage(bytes);
    // The reader clears the whole screen the header declares before it draws
    // the image: a screen of a hundred million pixels around an image of a
    // few costs seconds and shows nothing. A small image on a small screen
    // is a picture like any other.
    constexpr qint64 kSmallScreen = qint64(1) << 20;
    return !image || image->screenArea <= kSmallScreen || image->area * 2 >= image->screenArea;
}

bool pngLooksComplete(QByteArrayView bytes) {
    if (!bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return true;
    // libpng reserves, and clears, the length a chunk declares before it
    // reads a byte of it: a few bytes that declare 2 GB hold the window for
    // seconds. Every chunk, with its length, type and checksum, must be in
    // the file, up to the end chunk.
    constexpr qsizetype kChunkFrame = 12;
    constexpr std::uint32_t kLongestChunk = 0x7FFFFFFF;
    qsizetype at = 8;
    while (at + kChunkFrame <= bytes.size()) {
        const std::uint32_t length = bigEndian(bytes, at);
        if (length > kLongestChunk || length > bytes.size() - at - kChunkFrame)
            return false;
        const bool end = bytes.sliced(at + 4, 4) == "IEND";
        at += kChunkFrame + length;
        if (end)
            return true;
    }
    return false;
}

bool iconLooksComplete(QByteArrayView bytes) {
    constexpr qsizetype kHeader = 6, kEntry = 16;
    if (bytes.size() < kHeader || !bytes.startsWith(QByteArrayView("\0\0", 2)))
        return true;
    const std::uint32_t count = littleEndian(bytes, 4, 2);
    if (kHeader + kEntry * qsizetype(count) > bytes.size())
        return false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const qsizetype entry = kHeader + kEntry * qsizetype(i);
        const qsizetype size = littleEndian(bytes, entry + 8, 4);
        const qsizetype offset = littleEndian(bytes, entry + 12, 4);
        if (offset > bytes.size() || size > bytes.size() - offset)
            return false;
        if (!pngLooksComplete(bytes.sliced(offset, size)))
            return false;
    }
    return true;
}

} // namespace tiravo
