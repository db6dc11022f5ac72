#include "support/DamagedPictures.h"

#include "support/PictureSamples.h"

#include <QImageReader>
#include <QtEndian>

#include <algorithm>
#include <functional>

namespace tiravo::test {

namespace {

using Damage = DamagedPicture::Damage;

constexpr QSize kSize(64, 48);
constexpr int kCuts = 24;
constexpr int kFlips = 24;

struct Good {
    QString name;
    QByteArray bytes;
    qsizetype dataEnd; // where the picture's data ends; a trailer may follow
};

// The CRC that PNG chunks carry (ISO 3309), bit by bit: a few short chunks.
quint32 pngCrc(const char* data, qsizetype size) {
    quint32 crc = 0xFFFFFFFFu;
    for (qsizetype i = 0; i < size; ++i) {
        crc ^= static_cast<unsigned char>(data[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

void putBig32(QByteArray& bytes, qsizetype at, quint32 value) {
    qToBigEndian(value, bytes.data() + at);
}
void putLittle16(QByteArray& bytes, qsizetype at, quint16 value) {
    qToLittleEndian(value, bytes.data() + at);
}
void putLittle32(QByteArray& bytes, qsizetype at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}

QByteArray pngChunk(const char* type, const QByteArray& data, quint32 declared) {
    QByteArray chunk(4, '\0');
    putBig32(chunk, 0, declared);
    chunk.append(type, 4);
    chunk.append(data);
    const QByteArray body = chunk.mid(4);
    const quint32 crc = pngCrc(body.constData(), body.size());
    QByteArray tail(4, '\0');
    putBig32(tail, 0, crc);
    return chunk + tail;
}

// Rewrites IHDR's dimensions with a CRC that matches, as a hostile file would.
QByteArray pngWithSize(QByteArray png, quint32 width, quint32 height) {
    putBig32(png, 16, width);
    putBig32(png, 20, height);
    const quint32 crc = pngCrc(png.constData() + 12, 17);
    putBig32(png, 29, crc);
    return png;
}

// The chunk offsets of a PNG, IHDR first.
std::vector<qsizetype> pngChunks(const QByteArray& png) {
    std::vector<qsizetype> offsets;
    for (qsizetype at = 8; at + 8 <= png.size();) {
        offsets.push_back(at);
        at += 12 + qFromBigEndian<quint32>(png.constData() + at);
    }
    return offsets;
}

QByteArray iconAround(const QByteArray& image, int width, int height) {
    QByteArray icon(22, '\0');
    putLittle16(icon, 2, 1);
    putLittle16(icon, 4, 1);
    icon[6] = char(width);
    icon[7] = char(height);
    putLittle16(icon, 10, 1);
    putLittle16(icon, 12, 32);
    putLittle32(icon, 14, quint32(image.size()));
    putLittle32(icon, 18, 22);
    return icon + image;
}

std::vector<Good> goodPictures() {
    const QImage picture = damagedPicturesOriginal();
    const auto jpeg = [](const QByteArray& bytes) { return bytes.size() - 2; }; // EOI follows
    std::vector<Good> good;
    const QByteArray baseline = encodeJpeg(picture);
    const QByteArray progressive = encodeJpeg(picture, {.progressive = true});
    const QByteArray grey = encodeJpeg(picture, {.colours = JpegColours::Grey});
    good.push_back({"baseline.jpg", baseline, jpeg(baseline)});
    good.push_back({"progressive.jpeg", progressive, jpeg(progressive)});
    good.push_back({"grey.jpg", grey, jpeg(grey)});
    const QByteArray png = encodeWithQt(picture, "png");
    good.push_back({"plain.png", png, png.size() - 12}); // IEND follows
    const QByteArray bmp = encodeWithQt(picture, "bmp");
    good.push_back({"plain.bmp", bmp, bmp.size()});
    const QByteArray gif = encodeGif(picture);
    good.push_back({"plain.gif", gif, gif.size() - 1}); // the trailer follows
    const QByteArray ico = encodeWithQt(picture, "ico");
    good.push_back({"bitmap.ico", ico, ico.size()});
    const QByteArray pngIcon = iconAround(png, kSize.width(), kSize.height());
    good.push_back({"png.ico", pngIcon, pngIcon.size() - 12});
    if (QImageReader::supportedImageFormats().contains("tiff")) {
        const QByteArray tiff = encodeWithQt(picture, "tiff");
        // Qt writes the directory after the pixels: a cut anywhere loses some.
        good.push_back({"plain.tif", tiff, tiff.size()});
    }
    return good;
}

QString stem(const QString& name) {
    return name.left(name.lastIndexOf(u'.'));
}
QString extension(const QString& name) {
    return name.mid(name.lastIndexOf(u'.'));
}

// Files whose headers lie about what follows them, for each kind.
std::vector<std::pair<QString, QByteArray>> lies(const Good& good) {
    std::vector<std::pair<QString, QByteArray>> out;
    const QByteArray& b = good.bytes;
    const QString ext = extension(good.name);
    const auto add = [&](const QString& what, const QByteArray& bytes) {
        out.emplace_back(stem(good.name) + u'-' + what + ext, bytes);
    };
    if (ext == u".png") {
        add("huge", pngWithSize(b, 1000000, 1000000));
        add("wide", pngWithSize(b, 1000000, 1));
        add("large", pngWithSize(b, 20000, 20000));
        for (const qsizetype at : pngChunks(b)) {
            QByteArray past = b;
            putBig32(past, at, quint32(b.size()));
            add(QStringLiteral("chunk%1-past-end").arg(at), past);
            putBig32(past, at, 0x7FFFFFF0u);
            add(QStringLiteral("chunk%1-2gb").arg(at), past);
        }
        // A text chunk declaring 1.8 GB where the file has a few bytes left.
        const QByteArray text =
            b.left(33) + pngChunk("tEXt", "a", 0x6B49D200u).left(8 + 3) + QByteArray(13, '\0');
        add("text-1.8gb", text);
        add("text-1.8gb-whole", b.left(33) + pngChunk("tEXt", "a", 0x6B49D200u) + b.mid(33));
    } else if (ext == u".bmp") {
        QByteArray lie = b;
        putLittle32(lie, 18, 30000);
        putLittle32(lie, 22, 30000);
        add("large", lie);
        putLittle32(lie, 18, 0x7FFFFFFF);
        putLittle32(lie, 22, 0x7FFFFFFF);
        add("huge", lie);
        lie = b;
        putLittle32(lie, 10, 0x7FFFFFF0u);
        add("pixels-past-end", lie);
        lie = b;
        putLittle32(lie, 14, 0x7FFFFFF0u);
        add("header-2gb", lie);
        lie = b;
        putLittle32(lie, 2, 0x7FFFFFF0u);
        add("file-2gb", lie);
    } else if (ext == u".gif") {
        QByteArray lie = b;
        putLittle16(lie, 6, 0xFFFF);
        putLittle16(lie, 8, 0xFFFF);
        add("screen-huge", lie);
        const qsizetype image = 13 + 768;
        putLittle16(lie, image + 5, 0xFFFF);
        putLittle16(lie, image + 7, 0xFFFF);
        add("huge", lie);
        lie = b;
        putLittle16(lie, 6, 8000);
        putLittle16(lie, 8, 8000);
        add("screen-large", lie);
        // Just under the reader's memory limit, which it clears whole.
        lie = b;
        putLittle16(lie, 6, 514);
        putLittle16(lie, 8, 63478);
        add("screen-tall", lie);
    } else if (ext == u".ico") {
        QByteArray lie = b;
        putLittle16(lie, 4, 0xFFFF);
        add("count-huge", lie);
        lie = b;
        putLittle32(lie, 14, 0x7FFFFFF0u);
        add("size-2gb", lie);
        lie = b;
        putLittle32(lie, 18, 0x7FFFFFF0u);
        add("offset-2gb", lie);
        lie = b;
        putLittle32(lie, 18, quint32(b.size()));
        add("offset-at-end", lie);
        // Many entries that all point at the one picture.
        QByteArray many(6 + 16 * 4000, '\0');
        putLittle16(many, 2, 1);
        putLittle16(many, 4, 4000);
        const QByteArray image = b.mid(22);
        for (int i = 0; i < 4000; ++i) {
            many.replace(6 + 16 * i, 16, b.mid(6, 16));
            putLittle32(many, 6 + 16 * i + 12, quint32(many.size()));
        }
        add("repeated", many + image);
        if (!image.startsWith("\x89PNG")) {
            lie = b;
            putLittle32(lie, 22 + 4, 0x7FFFFFFF);
            putLittle32(lie, 22 + 8, 0x7FFFFFFE);
            add("bitmap-huge", lie);
            putLittle32(lie, 22 + 4, 30000);
            putLittle32(lie, 22 + 8, 60000);
            add("bitmap-large", lie);
        } else {
            add("png-text-1.8gb",
                iconAround(b.mid(22, 33) + pngChunk("tEXt", "a", 0x6B49D200u) + b.mid(22 + 33),
                           kSize.width(), kSize.height()));
            add("png-huge",
                iconAround(pngWithSize(image, 1000000, 1000000), kSize.width(), kSize.height()));
        }
    } else if (ext == u".tif") {
        const bool little = b.startsWith("II");
        const auto get16 = [&](const QByteArray& bytes, qsizetype at) {
            return little ? qFromLittleEndian<quint16>(bytes.constData() + at)
                          : qFromBigEndian<quint16>(bytes.constData() + at);
        };
        const auto put32 = [&](QByteArray& bytes, qsizetype at, quint32 value) {
            little ? qToLittleEndian(value, bytes.data() + at)
                   : qToBigEndian(value, bytes.data() + at);
        };
        const quint32 ifd = little ? qFromLittleEndian<quint32>(b.constData() + 4)
                                   : qFromBigEndian<quint32>(b.constData() + 4);
        QByteArray lie = b;
        put32(lie, 4, 0x7FFFFFF0u);
        add("directory-past-end", lie);
        const int entries = get16(b, ifd);
        for (int i = 0; i < entries; ++i) {
            const qsizetype entry = ifd + 2 + 12 * i;
            const quint16 tag = get16(b, entry);
            const quint16 type = get16(b, entry + 2);
            // Width, length, strip offsets, rows per strip, strip byte counts.
            if (tag != 256 && tag != 257 && tag != 273 && tag != 278 && tag != 279)
                continue;
            for (const quint32 value : {0x7FFFFFF0u, 30000u}) {
                lie = b;
                if (type == 3) // a short sits in the first two bytes of the value
                    little
                        ? qToLittleEndian(quint16(std::min(value, 0xFFFFu)), lie.data() + entry + 8)
                        : qToBigEndian(quint16(std::min(value, 0xFFFFu)), lie.data() + entry + 8);
                else
                    put32(lie, entry + 8, value);
                add(QStringLiteral("tag%1-%2").arg(tag).arg(value), lie);
            }
        }
    } else { // JPEG: the frame header's dimensions and the segments' lengths
        const qsizetype frame = std::max(b.indexOf("\xFF\xC0"), b.indexOf("\xFF\xC2"));
        for (const quint16 side : {quint16(65500), quint16(16000)}) {
            QByteArray lie = b;
            qToBigEndian(side, lie.data() + frame + 5);
            qToBigEndian(side, lie.data() + frame + 7);
            add(QStringLiteral("frame-%1").arg(side), lie);
        }
        for (qsizetype at = 2; at + 4 <= b.size() && b[at] == '\xFF';) {
            const quint16 length = qFromBigEndian<quint16>(b.constData() + at + 2);
            QByteArray lie = b;
            qToBigEndian(quint16(0xFFFF), lie.data() + at + 2);
            add(QStringLiteral("segment%1-long").arg(at), lie);
            if (b[at + 1] == '\xDA')
                break;
            at += 2 + length;
        }
    }
    return out;
}

} // namespace

QImage damagedPicturesOriginal() {
    return quadrants(kSize);
}

std::vector<DamagedPicture> damagedPictures() {
    std::vector<DamagedPicture> damaged;
    for (const Good& good : goodPictures()) {
        const QByteArray& bytes = good.bytes;
        const QString ext = extension(good.name);
        for (int i = 0; i < kCuts; ++i) {
            // Spread over the file, denser at its start where the headers are.
            const qsizetype cut =
                i < 8 ? qsizetype(i) * 4 + 1 : bytes.size() * (i - 7) / (kCuts - 7) - 1;
            if (cut <= 0 || cut >= bytes.size())
                continue;
            damaged.push_back({QStringLiteral("%1-cut%2%3").arg(stem(good.name)).arg(cut).arg(ext),
                               bytes.left(cut), Damage::Truncated, cut >= good.dataEnd});
        }
        for (int i = 0; i < kFlips; ++i) {
            const qsizetype at =
                i < 12 ? qsizetype(i) * 3 : bytes.size() * (i - 11) / (kFlips - 11) - 1;
            if (at >= bytes.size())
                continue;
            QByteArray flipped = bytes;
            flipped[at] = char(~flipped[at]);
            damaged.push_back({QStringLiteral("%1-flip%2%3").arg(stem(good.name)).arg(at).arg(ext),
                               flipped, Damage::Flipped});
        }
        for (auto& [name, lie] : lies(good))
            damaged.push_back({name, lie, Damage::Lying});
    }
    return damaged;
}

} // namespace tiravo::test
