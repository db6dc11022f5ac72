#include "support/PictureSamples.h"

#include "common/Error.h"
#include "platform/Pictures.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

#include <functional>

#include <sys/stat.h>

namespace tiravo {
namespace {

using test::encodeGif;
using test::encodeJpeg;
using test::encodeWithQt;
using test::quadrants;
using test::showsQuadrants;

constexpr QSize kSize(200, 150);

bool tiffReadable() {
    return QImageReader::supportedImageFormats().contains("tiff");
}

// One known kind: how to make a good file of it and where its header ends.
struct Kind {
    const char* extension;
    std::function<QByteArray()> make;
    qsizetype headerEnd;
    int tolerance;     // lossy kinds blur colours a little
    qsizetype trailer; // bytes after the last pixel data
};

std::vector<Kind> knownKinds() {
    const QImage picture = quadrants(kSize);
    std::vector<Kind> kinds = {
        {"jpg", [=] { return encodeJpeg(picture); }, -1, 24, 0},
        {"jpeg", [=] { return encodeJpeg(picture, {.progressive = true}); }, -1, 24, 0},
        {"png", [=] { return encodeWithQt(picture, "png"); }, 33, 0, 12},
        {"bmp", [=] { return encodeWithQt(picture, "bmp"); }, 54, 0, 0},
        {"gif", [=] { return encodeGif(picture); }, 13 + 768, 0, 1},
        {"ico", [=] { return encodeWithQt(picture.scaled(64, 48), "ico"); }, 22, 0, 0},
    };
    if (tiffReadable()) {
        kinds.push_back({"tif", [=] { return encodeWithQt(picture, "tiff"); }, 8, 0, 0});
        kinds.push_back({"tiff", [=] { return encodeWithQt(picture, "tiff"); }, 8, 0, 0});
    }
    return kinds;
}

class PicturesTest : public ::testing::Test {
protected:
    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    // The message of the Error that loading `path` throws; fails the test
    // when the load succeeds.
    static QString failureOf(const QString& path) {
        try {
            const QImage image = LoadPicture(path);
            ADD_FAILURE() << "loaded " << path.toStdString() << " at " << image.width() << "x"
                          << image.height();
        } catch (const Error& error) {
            return error.message();
        }
        return {};
    }

    QTemporaryDir dir_;
};

TEST_F(PicturesTest, UnknownExtensionsFailWithTheExtensionAsWritten) {
    const QByteArray jpeg = encodeJpeg(quadrants(kSize));
    const std::vector<std::pair<QString, QString>> cases = {
        {"notes.txt", "Unknown picture file extension (.txt)"},
        {"NOTES.TXT", "Unknown picture file extension (.TXT)"},
        {"photo", "Unknown picture file extension (.)"},
        {"photo.", "Unknown picture file extension (.)"},
        {"photo.jpg.bak", "Unknown picture file extension (.bak)"},
        {"photo.jpe", "Unknown picture file extension (.jpe)"},
        {"photo.webp", "Unknown picture file extension (.webp)"},
    };
    for (const auto& [name, message] : cases) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(failureOf(write(name, jpeg)), message);
    }
    // Judged by name alone, before the file is looked for.
    EXPECT_EQ(failureOf(dir_.filePath("missing.doc")), "Unknown picture file extension (.doc)");
}

TEST_F(PicturesTest, GoodFilesOfEveryKnownKindLoadWhateverTheLetterCase) {
    for (const Kind& kind : knownKinds()) {
        const QByteArray bytes = kind.make();
        ASSERT_FALSE(bytes.isEmpty()) << kind.extension;
        const QString lower = QString::fromLatin1(kind.extension);
        const QString mixed = lower.left(1).toUpper() + lower.mid(1);
        for (const QString& extension : {lower, lower.toUpper(), mixed}) {
            SCOPED_TRACE(extension.toStdString());
            const QImage image = LoadPicture(write("picture." + extension, bytes));
            const QSize expected = kind.extension == QByteArray("ico") ? QSize(64, 48) : kSize;
            EXPECT_EQ(image.size(), expected);
            EXPECT_TRUE(showsQuadrants(image, kind.tolerance));
        }
    }
}

TEST_F(PicturesTest, KindsWithoutADecoderHereFailClearly) {
    const QString emf = write("logo.emf", QByteArray(64, 'x'));
    EXPECT_EQ(failureOf(emf), QString("Cannot load EMF pictures on this system (file \"%1\")")
                                  .arg(QDir::toNativeSeparators(emf)));
    const QString wmf = write("LOGO.WMF", QByteArray("\xD7\xCD\xC6\x9A", 4) + QByteArray(60, 0));
    EXPECT_EQ(failureOf(wmf), QString("Cannot load WMF pictures on this system (file \"%1\")")
                                  .arg(QDir::toNativeSeparators(wmf)));
    if (!tiffReadable()) {
        const QString tiff = write("scan.tif", QByteArray("II*\0", 4) + QByteArray(60, 0));
        EXPECT_EQ(failureOf(tiff), QString("Cannot load TIFF pictures on this system (file \"%1\")")
                                       .arg(QDir::toNativeSeparators(tiff)));
    }
}

TEST_F(PicturesTest, MissingEmptyAndFolderPathsNameTheFile) {
    const QString missing = dir_.filePath("gone.jpg");
    EXPECT_EQ(failureOf(missing), QString("Cannot open file \"%1\": the file does not exist")
                                      .arg(QDir::toNativeSeparators(missing)));

    const QString folder = dir_.filePath("album.png");
    ASSERT_TRUE(QDir().mkdir(folder));
    EXPECT_EQ(failureOf(folder),
              QString("Cannot open file \"%1\": it is a folder, not a picture file")
                  .arg(QDir::toNativeSeparators(folder)));

    for (const Kind& kind : knownKinds()) {
        const QString empty = write(QString("empty.") + kind.extension, {});
        EXPECT_EQ(failureOf(empty),
                  QString("The picture file \"%1\" is empty").arg(QDir::toNativeSeparators(empty)));
    }
}

TEST_F(PicturesTest, OnlyRegularFilesAreReadAndALinkToOneIsOne) {
    const QString photo = write("photo.jpg", encodeJpeg(quadrants(kSize)));
    const QString link = dir_.filePath("link.jpg");
    ASSERT_TRUE(QFile::link(photo, link));
    EXPECT_EQ(LoadPicture(link).size(), kSize);
    EXPECT_NO_THROW(CheckPicture(link));

    // A device that never ends and a pipe that nothing writes to are refused
    // before a byte is read: the one was read up to the size limit, the
    // other held the window for ever.
    const QString zero = dir_.filePath("zero.jpg");
    ASSERT_TRUE(QFile::link("/dev/zero", zero));
    const QString pipe = dir_.filePath("pipe.gif");
    ASSERT_EQ(mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString throughPipe = dir_.filePath("pipe-link.png");
    ASSERT_TRUE(QFile::link(pipe, throughPipe));
    for (const QString& path : {zero, pipe, throughPipe}) {
        SCOPED_TRACE(path.toStdString());
        const QString refused =
            QString("Cannot open file \"%1\": it is a device or a pipe, not a picture file")
                .arg(QDir::toNativeSeparators(path));
        EXPECT_EQ(failureOf(path).toStdString(), refused.toStdString());
        try {
            CheckPicture(path);
            ADD_FAILURE() << "passed the check";
        } catch (const Error& error) {
            EXPECT_EQ(error.message().toStdString(), refused.toStdString());
        }
    }
}

TEST_F(PicturesTest, TruncatedFilesFailInsteadOfShowingHalfAPicture) {
    for (const Kind& kind : knownKinds()) {
        const QByteArray bytes = kind.make();
        const qsizetype headerEnd =
            kind.headerEnd >= 0 ? kind.headerEnd : test::jpegScanStart(bytes);
        ASSERT_GT(headerEnd, 0);
        // Inside the header, right after it, halfway through the data, and
        // with only the last byte of the data missing.
        for (const qsizetype cut : {qsizetype(7), headerEnd, (headerEnd + bytes.size()) / 2,
                                    bytes.size() - kind.trailer - 1}) {
            SCOPED_TRACE(std::string(kind.extension) + " cut at " + std::to_string(cut));
            const QString path =
                write(QString("cut%1.%2").arg(cut).arg(kind.extension), bytes.left(cut));
            EXPECT_TRUE(failureOf(path).contains(QDir::toNativeSeparators(path)));
        }
    }
}

// A file whose header declares more than the file holds is refused before a
// decoder takes the declared size on trust and reserves it.
TEST_F(PicturesTest, SizesDeclaredPastTheEndAreRefusedBeforeDecoding) {
    const auto endsEarly = [](const QString& path, const char* kind) {
        return QString("The picture file \"%1\" is damaged or is not in %2 format (the file ends "
                       "before the picture does)")
            .arg(QDir::toNativeSeparators(path), kind);
    };
    const QByteArray png = encodeWithQt(quadrants(QSize(2, 2)), "png");
    const QByteArray header = png.left(33); // signature and IHDR
    // A text chunk declaring 1.8 GB, in a file of 57 bytes.
    const QByteArray lie = header + QByteArray("\x6B\x49\xD2\x00tEXta\0b", 11) + QByteArray(13, 0);
    ASSERT_EQ(lie.size(), 57);
    const QString small = write("lie.png", lie);
    EXPECT_EQ(failureOf(small), endsEarly(small, "PNG"));

    QByteArray icon("\0\0\1\0\1\0\2\2\0\0\1\0\x20\0", 14);
    const auto entry = [](qsizetype size, qsizetype offset) {
        QByteArray bytes(8, 0);
        qToLittleEndian(quint32(size), bytes.data());
        qToLittleEndian(quint32(offset), bytes.data() + 4);
        return bytes;
    };
    const QString inIcon = write("lie.ico", icon + entry(lie.size(), 22) + lie);
    EXPECT_EQ(failureOf(inIcon), endsEarly(inIcon, "ICO"));
    const QString pastEnd = write("past.ico", icon + entry(png.size(), 4000) + png);
    EXPECT_EQ(failureOf(pastEnd), endsEarly(pastEnd, "ICO"));
    const QString sizeOff = write("size.ico", icon + entry(png.size() + 1, 22) + png);
    EXPECT_EQ(failureOf(sizeOff), endsEarly(sizeOff, "ICO"));

    // Every chunk up to the end one must be there.
    const QString noEnd = write("noend.png", png.left(png.size() - 12));
    EXPECT_EQ(failureOf(noEnd), endsEarly(noEnd, "PNG"));
}

TEST_F(PicturesTest, FilesMadeToKeepTheDecoderBusyAreRefused) {
    // An icon's directory can point any number of entries at one picture.
    const QByteArray png = encodeWithQt(quadrants(QSize(2, 2)), "png");
    const auto iconOf = [&](int count) {
        QByteArray icon("\0\0\1\0", 4);
        icon.append(char(count & 0xFF)).append(char(count >> 8));
        const qsizetype picture = 6 + 16 * count;
        for (int i = 0; i < count; ++i) {
            QByteArray entry("\2\2\0\0\1\0\x20\0", 8);
            entry.resize(16);
            qToLittleEndian(quint32(png.size()), entry.data() + 8);
            qToLittleEndian(quint32(picture), entry.data() + 12);
            icon.append(entry);
        }
        return icon + png;
    };
    EXPECT_EQ(LoadPicture(write("many.ico", iconOf(64))).size(), QSize(2, 2));
    const QString tooMany = write("toomany.ico", iconOf(4000));
    EXPECT_EQ(failureOf(tooMany), QString("The picture file \"%1\" is damaged or is not in ICO "
                                          "format (it holds 4000 pictures; an icon holds at most "
                                          "64)")
                                      .arg(QDir::toNativeSeparators(tooMany)));

    // A progressive JPEG of a scan per coefficient: 64 scans in grey, 190 in colour.
    const QImage picture = quadrants(kSize);
    const QString grey = write("grey.jpg", encodeJpeg(picture, {.colours = test::JpegColours::Grey,
                                                                .progressive = true,
                                                                .scanPerCoefficient = true}));
    EXPECT_EQ(LoadPicture(grey).size(), kSize);
    const QString colour =
        write("colour.jpg", encodeJpeg(picture, {.progressive = true, .scanPerCoefficient = true}));
    EXPECT_EQ(failureOf(colour), QString("The picture file \"%1\" is damaged or is not in JPEG "
                                         "format (the picture has more than 100 scans)")
                                     .arg(QDir::toNativeSeparators(colour)));
}

TEST_F(PicturesTest, AGifThatWouldShowMostlyItsBackgroundIsRefused) {
    const auto damaged = [](const QString& path, const char* reason) {
        return QString("The picture file \"%1\" is damaged or is not in GIF format (%2)")
            .arg(QDir::toNativeSeparators(path), reason);
    };
    // Found by fuzzing: 37 bytes declaring a 514 x 63478 screen around an
    // image of no width, seconds of clearing for a picture of nothing.
    const QByteArray found =
        QByteArray::fromBase64("R0lGODlhAgL294AAAP8AAAAA/ywAAAAGAAACOgAAAP//AjvXzQ==");
    const QString empty = write("found.gif", found);
    EXPECT_EQ(failureOf(empty).toStdString(),
              damaged(empty, "its image covers only a small part of its screen").toStdString());

    const QByteArray gif = encodeGif(quadrants(kSize));
    const auto onScreen = [&](quint16 width, quint16 height) {
        QByteArray bytes = gif;
        qToLittleEndian(width, bytes.data() + 6);
        qToLittleEndian(height, bytes.data() + 8);
        return bytes;
    };
    const QString huge = write("huge.gif", onScreen(60000, 2000));
    EXPECT_EQ(failureOf(huge), damaged(huge, "its image covers only a small part of its screen"));
    // A small image on a small screen, or one that fills most of its screen, shows.
    EXPECT_EQ(LoadPicture(write("margin.gif", onScreen(300, 200))).size(), QSize(300, 200));

    // Data too short to fill the image's area, though its blocks are whole.
    QByteArray shortData = gif.left(13 + 768 + 11);
    shortData.append("\x01\x00\x00;", 4);
    const QString cut = write("short.gif", shortData);
    EXPECT_EQ(failureOf(cut), damaged(cut, "the file ends before the picture does"));
}

TEST_F(PicturesTest, ABitmapWithoutThePaddingOfItsLastRowStillLoads) {
    const QImage odd = quadrants(QSize(201, 20)).convertToFormat(QImage::Format_RGB888);
    const QByteArray bmp = encodeWithQt(odd, "bmp");
    const QImage image = LoadPicture(write("odd.bmp", bmp.left(bmp.size() - 1)));
    EXPECT_EQ(image.size(), odd.size());
}

TEST_F(PicturesTest, ContentsDecideTheDecoderWhenTheNameIsWrong) {
    const QImage picture = quadrants(kSize);
    const std::vector<std::pair<QString, QByteArray>> mislabelled = {
        {"really-png.jpg", encodeWithQt(picture, "png")}, {"really-jpeg.png", encodeJpeg(picture)},
        {"really-bmp.gif", encodeWithQt(picture, "bmp")}, {"really-gif.BMP", encodeGif(picture)},
        {"really-png.ico", encodeWithQt(picture, "png")}, {"really-jpeg.wmf", encodeJpeg(picture)},
    };
    for (const auto& [name, bytes] : mislabelled) {
        SCOPED_TRACE(name.toStdString());
        const QImage image = LoadPicture(write(name, bytes));
        EXPECT_EQ(image.size(), kSize);
        EXPECT_TRUE(showsQuadrants(image, 24));
    }
}

TEST_F(PicturesTest, FilesThatAreNoPictureAtAllFailNamingTheFile) {
    const QByteArray text = "Maria da Silva\r\nJoão Souza\r\n";
    for (const Kind& kind : knownKinds()) {
        const QString path = write(QString("names.") + kind.extension, text);
        const QString message = failureOf(path);
        EXPECT_TRUE(message.startsWith(QString("The picture file \"%1\" is damaged or is not in ")
                                           .arg(QDir::toNativeSeparators(path))))
            << message.toStdString();
    }
}

TEST_F(PicturesTest, FittingShrinksOnlyWhatIsLargerThanTheBox) {
    const QImage big = quadrants(QSize(1600, 1200));
    const QImage wide = quadrants(QSize(1600, 900));
    const QImage small = quadrants(QSize(300, 200));
    const QByteArray bigJpeg = encodeJpeg(big);
    const QByteArray wideJpeg = encodeJpeg(wide);
    struct Case {
        const char* name;
        QByteArray bytes;
        QSize box;
        Qt::AspectRatioMode mode;
        QSize expected;
    };
    const std::vector<Case> cases = {
        {"big.jpg", bigJpeg, {640, 480}, Qt::KeepAspectRatio, {640, 480}},
        {"wide.jpg", wideJpeg, {640, 480}, Qt::KeepAspectRatio, {640, 360}},
        {"thumb.jpg", bigJpeg, {105, 105}, Qt::KeepAspectRatio, {105, 78}},
        {"fill.jpg", wideJpeg, {800, 300}, Qt::IgnoreAspectRatio, {800, 300}},
        {"small.jpg", encodeJpeg(small), {640, 480}, Qt::KeepAspectRatio, {300, 200}},
        {"exact.jpg", bigJpeg, {800, 600}, Qt::KeepAspectRatio, {800, 600}},
        {"grey.jpg",
         encodeJpeg(big, {.colours = test::JpegColours::Grey}),
         {640, 480},
         Qt::KeepAspectRatio,
         {640, 480}},
        {"big.png", encodeWithQt(big, "png"), {200, 150}, Qt::KeepAspectRatio, {200, 150}},
        {"small.gif", encodeGif(small), {640, 480}, Qt::KeepAspectRatio, {300, 200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = LoadPictureToFit(write(c.name, c.bytes), c.box, c.mode);
        EXPECT_EQ(image.size(), c.expected);
        if (QByteArray(c.name) != "grey.jpg") {
            EXPECT_TRUE(showsQuadrants(image, 24));
        }
    }
}

TEST_F(PicturesTest, AFittedPictureKeepsItsPixelsWhenTheNextOneLoads) {
    const QString first = write("first.jpg", encodeJpeg(quadrants(QSize(1600, 1200))));
    const QString second =
        write("second.jpg", encodeJpeg(quadrants(QSize(1600, 1200)).mirrored(true, true)));
    const QImage shown = LoadPictureToFit(first, QSize(640, 480));
    const QImage copy = shown.copy();
    const QImage next = LoadPictureToFit(second, QSize(640, 480));
    EXPECT_EQ(shown, copy);
    EXPECT_NE(next, shown);
}

} // namespace
} // namespace tiravo
