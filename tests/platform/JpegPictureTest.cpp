#include "support/PictureSamples.h"

#include "common/Error.h"
#include "platform/JpegDecoder.h"
#include "platform/Pictures.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

using test::encodeJpeg;
using test::JpegColours;
using test::quadrants;
using test::showsQuadrants;

class JpegPictureTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir_;
};

TEST(JpegScale, TheSmallestEighthThatStillCoversTheTarget) {
    struct Case {
        QSize picture, target;
        int eighths;
    };
    const std::vector<Case> cases =
        {
            {{6000, 4000}, {640, 426}, 1}, // a camera photo in the draw box
            {{1000, 1000}, {125, 125}, 1}, {{1000, 1000}, {126, 126}, 2},
            {{1000, 1000}, {600, 600}, 5}, {{1000, 1000}, {999, 999}, 8},
            {{1001, 9}, {126, 3}, 2}, // libjpeg rounds up: 1001/8 is 126 wide, 9/8 only 2 high
            {{640, 480}, {640, 480}, 8},
        };
    for (const Case& c : cases)
        EXPECT_EQ(jpegScaleFor(c.picture, c.target), c.eighths)
            << c.picture.width() << "x" << c.picture.height() << " to " << c.target.width() << "x"
            << c.target.height();
}

TEST_F(JpegPictureTest, GreyPicturesStayGrey) {
    const QImage image = LoadPicture(
        write("grey.jpg", encodeJpeg(quadrants(QSize(160, 120)), {.colours = JpegColours::Grey})));
    EXPECT_EQ(image.format(), QImage::Format_Grayscale8);
    EXPECT_NEAR(qGray(image.pixel(40, 30)), qGray(qRgb(255, 0, 0)), 8);
    EXPECT_NEAR(qGray(image.pixel(120, 90)), 255, 8);
}

TEST_F(JpegPictureTest, CmykPicturesComeBackInTheirColours) {
    for (const JpegColours colours : {JpegColours::AdobeCmyk, JpegColours::AdobeYcck}) {
        const QImage image = LoadPicture(
            write("print.jpg", encodeJpeg(quadrants(QSize(160, 120)), {.colours = colours})));
        EXPECT_EQ(image.format(), QImage::Format_RGB32);
        EXPECT_TRUE(showsQuadrants(image, 24)) << int(colours);
    }
}

TEST_F(JpegPictureTest, ProgressiveAndBaselineDecodeAlike) {
    const QImage picture = quadrants(QSize(320, 240));
    const QImage baseline = LoadPicture(write("baseline.jpg", encodeJpeg(picture)));
    const QImage progressive =
        LoadPicture(write("progressive.jpg", encodeJpeg(picture, {.progressive = true})));
    ASSERT_EQ(progressive.size(), baseline.size());
    EXPECT_TRUE(showsQuadrants(progressive, 24));
    // A progressive fitted decode goes through the reduced scale too.
    const QImage fitted = LoadPictureToFit(
        write("progressive2.jpg", encodeJpeg(picture, {.progressive = true})), QSize(64, 64));
    EXPECT_EQ(fitted.size(), QSize(64, 48));
    EXPECT_TRUE(showsQuadrants(fitted, 24));
}

TEST_F(JpegPictureTest, AHeaderAnnouncingAGiganticPictureIsRefusedBeforeDecoding) {
    QByteArray jpeg = encodeJpeg(quadrants(QSize(16, 16)));
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GT(frame, 0);
    // Height and width of the frame header, each 60000.
    for (const qsizetype at : {frame + 5, frame + 7}) {
        jpeg[at] = char(0xEA);
        jpeg[at + 1] = char(0x60);
    }
    const QString path = write("huge.jpg", jpeg);
    try {
        LoadPictureToFit(path, QSize(640, 480));
        FAIL() << "a 60000 x 60000 picture loaded";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().endsWith("is too large to show (60000 x 60000 pixels)"))
            << error.message().toStdString();
    }
}

TEST_F(JpegPictureTest, CorruptDataIsADamagedPicture) {
    QByteArray jpeg = encodeJpeg(quadrants(QSize(320, 240)));
    const qsizetype scan = test::jpegScanStart(jpeg);
    // A marker in the middle of the entropy-coded data.
    jpeg[scan + 200] = char(0xFF);
    jpeg[scan + 201] = char(0xD0 + 5);
    const QString path = write("corrupt.jpg", jpeg);
    EXPECT_THROW(LoadPicture(path), Error);
}

} // namespace
} // namespace tiravo
