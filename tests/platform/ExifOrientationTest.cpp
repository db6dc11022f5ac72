// Photos that record how they must be turned: the Exif note is read from the
// file's own bytes, trusted in nothing, and obeyed by the picture loader.
#include "platform/ExifOrientation.h"
#include "platform/Pictures.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

// Red, green / blue, white: a picture whose every turn shows differently.
QImage Quadrants(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    const int w = size.width() / 2, h = size.height() / 2;
    painter.fillRect(0, 0, w, h, Qt::red);
    painter.fillRect(w, 0, size.width() - w, h, Qt::green);
    painter.fillRect(0, h, w, size.height() - h, Qt::blue);
    painter.fillRect(w, h, size.width() - w, size.height() - h, Qt::white);
    return image;
}

QByteArray Jpeg(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPG", 95);
    return bytes;
}

void Put16(QByteArray& to, quint16 value, bool bigEndian) {
    char bytes[2];
    if (bigEndian)
        qToBigEndian(value, bytes);
    else
        qToLittleEndian(value, bytes);
    to.append(bytes, 2);
}

void Put32(QByteArray& to, quint32 value, bool bigEndian) {
    char bytes[4];
    if (bigEndian)
        qToBigEndian(value, bytes);
    else
        qToLittleEndian(value, bytes);
    to.append(bytes, 4);
}

struct ExifNote {
    int orientation = 1;
    bool bigEndian = true;
    quint16 type = 3; // SHORT
    quint32 count = 1;
};

// An APP1 segment as cameras write it: the maker's name first, then the
// orientation, in the first picture directory of a TIFF block.
QByteArray ExifSegment(const ExifNote& note) {
    QByteArray tiff(note.bigEndian ? "MM" : "II");
    Put16(tiff, 42, note.bigEndian);
    Put32(tiff, 8, note.bigEndian);
    Put16(tiff, 2, note.bigEndian);
    Put16(tiff, 0x010F, note.bigEndian); // Make, four ASCII bytes held in place
    Put16(tiff, 2, note.bigEndian);
    Put32(tiff, 4, note.bigEndian);
    tiff.append("Cam", 4);
    Put16(tiff, 0x0112, note.bigEndian);
    Put16(tiff, note.type, note.bigEndian);
    Put32(tiff, note.count, note.bigEndian);
    Put16(tiff, quint16(note.orientation), note.bigEndian);
    Put16(tiff, 0, note.bigEndian);
    Put32(tiff, 0, note.bigEndian); // no further directory

    QByteArray segment("\xFF\xE1", 2);
    Put16(segment, quint16(2 + 6 + tiff.size()), true);
    segment.append("Exif\0\0", 6);
    return segment + tiff;
}

// The segment right after the start-of-image marker, where phones put it.
QByteArray WithSegment(const QByteArray& jpeg, const QByteArray& segment) {
    return jpeg.left(2) + segment + jpeg.mid(2);
}

class Orientation : public testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        const QString path = dir_.filePath(QStringLiteral("photo%1.jpg").arg(++files_));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir_;
    int files_ = 0;
};

// Red, green / blue, white as saved; each orientation shows them elsewhere.
TEST_F(Orientation, EachOfTheEightNotesTurnsThePhotoUprightInEitherByteOrder) {
    const QRgb r = qRgb(255, 0, 0), g = qRgb(0, 255, 0), b = qRgb(0, 0, 255),
               w = qRgb(255, 255, 255);
    struct Case {
        int orientation;
        QRgb topLeft, topRight, bottomLeft, bottomRight;
    };
    const Case cases[] = {{1, r, g, b, w}, {2, g, r, w, b}, {3, w, b, g, r}, {4, b, w, r, g},
                          {5, r, b, g, w}, {6, b, r, w, g}, {7, w, g, b, r}, {8, g, w, r, b}};
    const QByteArray plain = Jpeg(Quadrants(QSize(96, 48)));
    for (const Case& c : cases) {
        for (bool bigEndian : {true, false}) {
            SCOPED_TRACE(testing::Message()
                         << "orientation " << c.orientation << (bigEndian ? " MM" : " II"));
            const QByteArray bytes = WithSegment(
                plain, ExifSegment({.orientation = c.orientation, .bigEndian = bigEndian}));
            EXPECT_EQ(JpegExifOrientation(bytes), c.orientation);
            const QImage image = LoadPicture(write(bytes));
            ASSERT_EQ(image.size(), c.orientation >= 5 ? QSize(48, 96) : QSize(96, 48));
            const int right = image.width() - 6, bottom = image.height() - 6;
            const auto near = [](QRgb a, QRgb e) {
                return qAbs(qRed(a) - qRed(e)) < 40 && qAbs(qGreen(a) - qGreen(e)) < 40 &&
                       qAbs(qBlue(a) - qBlue(e)) < 40;
            };
            EXPECT_TRUE(near(image.pixel(5, 5), c.topLeft));
            EXPECT_TRUE(near(image.pixel(right, 5), c.topRight));
            EXPECT_TRUE(near(image.pixel(5, bottom), c.bottomLeft));
            EXPECT_TRUE(near(image.pixel(right, bottom), c.bottomRight));
        }
    }
}

TEST_F(Orientation, APhotoOnItsSideIsDecodedToFitTheBoxOnceTurned) {
    // 1600 x 800 lying on its side stands 800 x 1600: 240 x 480 in the draw box,
    // not the 320 x 480 of a decode fitted before the turn and then squeezed.
    const QByteArray bytes =
        WithSegment(Jpeg(Quadrants(QSize(1600, 800))), ExifSegment({.orientation = 6}));
    EXPECT_EQ(LoadPictureToFit(write(bytes), QSize(640, 480)).size(), QSize(240, 480));
    EXPECT_EQ(LoadPictureToFit(write(bytes), QSize(105, 105)).size(), QSize(52, 105));
}

TEST(ExifNoteReading, NotesThatCannotBeReadCountAsUpright) {
    const QByteArray jpeg = Jpeg(Quadrants(QSize(16, 16)));
    const QByteArray six = ExifSegment({.orientation = 6});
    QByteArray pastItsEnd = six;
    pastItsEnd[2] = char(0xF0); // the segment claims more bytes than the file has
    QByteArray farDirectory = six;
    farDirectory[4 + 6 + 7] = char(0x7F); // first directory far outside the block
    // More entries than the block holds, none of them the orientation.
    QByteArray hugeCount = six;
    hugeCount[4 + 6 + 8] = char(0xFF);
    hugeCount[4 + 6 + 8 + 1] = char(0xFF);
    hugeCount[4 + 6 + 22 + 1] = char(0x13);
    QByteArray notTiff = six;
    notTiff[4 + 6] = 'X';

    EXPECT_EQ(JpegExifOrientation({}), 1);
    EXPECT_EQ(JpegExifOrientation(QByteArray("\xFF\xD8", 2)), 1);
    EXPECT_EQ(JpegExifOrientation(six), 1); // no start-of-image marker
    EXPECT_EQ(JpegExifOrientation(jpeg), 1);
    EXPECT_EQ(JpegExifOrientation(WithSegment(jpeg, pastItsEnd)), 1);
    EXPECT_EQ(JpegExifOrientation(WithSegment(jpeg, farDirectory)), 1);
    EXPECT_EQ(JpegExifOrientation(WithSegment(jpeg, hugeCount)), 1);
    EXPECT_EQ(JpegExifOrientation(WithSegment(jpeg, notTiff)), 1);
    EXPECT_EQ(JpegExifOrientation(WithSegment(jpeg, ExifSegment({.orientation = 9}))), 1);
    EXPECT_EQ(JpegExifOrientation(WithSegment(jpeg, ExifSegment({.orientation = 0}))), 1);
    EXPECT_EQ(JpegExifOrientation(WithSegment(jpeg, ExifSegment({.orientation = 6, .type = 4}))),
              1);
    EXPECT_EQ(JpegExifOrientation(WithSegment(jpeg, ExifSegment({.orientation = 6, .count = 2}))),
              1);
    // A note after the picture data has begun is not the photo's.
    EXPECT_EQ(JpegExifOrientation(jpeg.left(jpeg.size() - 2) + six + QByteArray("\xFF\xD9", 2)), 1);

    // Other APP1 blocks (XMP) and fill bytes before a marker are stepped over.
    QByteArray xmp("\xFF\xE1\x00\x0Chttp://ns\0\0", 14);
    EXPECT_EQ(JpegExifOrientation(WithSegment(jpeg, xmp + QByteArray("\xFF\xFF", 2) + six)), 6);

    // Cut anywhere, the file never leads the reader outside its bytes.
    const QByteArray whole = WithSegment(jpeg, six);
    for (qsizetype length = 0; length < 2 + six.size(); ++length)
        EXPECT_EQ(JpegExifOrientation(whole.left(length)), 1) << length;
    EXPECT_EQ(JpegExifOrientation(whole.left(2 + six.size())), 6);
}

} // namespace
} // namespace tiravo
