// Damaged picture files of every kind the loader knows, made here from good
// ones, through the three places that load pictures: the photo loader, the
// logo strip and the main window's background. Each gives a whole picture,
// an empty box, the built-in background or an error; never a crash, a hang
// or a picture cut short.
#include "support/DamagedPictures.h"
#include "branding/LogoStrip.h"
#include "common/Error.h"
#include "platform/Pictures.h"
#include "shell/Menu.h"
#include "support/PictureSamples.h"
#include "support/ProgramDatabase.h"
#include "support/TestServices.h"
#include "widgets/PictureBox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace tiravo {
namespace {

using test::DamagedPicture;

const QString kBuiltIn = QStringLiteral(":/pictures/background.jpg");

bool writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

// What a damaged file may show: nothing, or the whole of its picture when
// the cut left every byte of its data.
void expectNoPartialPicture(const DamagedPicture& damaged, const QImage& shown) {
    if (shown.isNull() || damaged.damage != DamagedPicture::Damage::Truncated)
        return;
    EXPECT_TRUE(damaged.dataComplete) << "a picture cut short was shown";
    EXPECT_TRUE(test::showsQuadrants(shown, 24)) << "shown, but not as the whole picture";
}

class DamagedPicturesTest : public testing::Test {
protected:
    static void SetUpTestSuite() { corpus_ = new std::vector(test::damagedPictures()); }
    static void TearDownTestSuite() {
        delete corpus_;
        corpus_ = nullptr;
    }

    static const std::vector<DamagedPicture>& corpus() { return *corpus_; }

    QString write(const DamagedPicture& damaged) {
        const QString path = dir_.filePath(damaged.name);
        EXPECT_TRUE(writeFile(path, damaged.bytes));
        return path;
    }

    QTemporaryDir dir_;
    static std::vector<DamagedPicture>* corpus_;
};

std::vector<DamagedPicture>* DamagedPicturesTest::corpus_ = nullptr;

TEST_F(DamagedPicturesTest, TheCorpusCoversEveryKindAndEveryDamage) {
    std::map<QString, int> kinds;
    std::map<DamagedPicture::Damage, int> damages;
    for (const DamagedPicture& damaged : corpus()) {
        ++kinds[QFileInfo(damaged.name).suffix()];
        ++damages[damaged.damage];
    }
    for (const char* kind : {"jpg", "jpeg", "png", "bmp", "gif", "ico"})
        EXPECT_GE(kinds[kind], 20) << kind;
    EXPECT_EQ(damages.size(), 3u);
    EXPECT_GE(corpus().size(), 400u);
}

TEST_F(DamagedPicturesTest, ThePhotoLoaderGivesAWholePictureOrAnErrorNamingTheFile) {
    for (const DamagedPicture& damaged : corpus()) {
        SCOPED_TRACE(damaged.name.toStdString());
        const QString path = write(damaged);
        QImage image;
        try {
            image = LoadPictureToFit(path, QSize(640, 480));
            EXPECT_FALSE(image.isNull());
        } catch (const Error& error) {
            EXPECT_TRUE(error.message().contains(QDir::toNativeSeparators(path)))
                << error.message().toStdString();
        } catch (const std::exception& error) {
            ADD_FAILURE() << "not the program's error: " << error.what();
        }
        if (damaged.damage == DamagedPicture::Damage::Truncated && !damaged.dataComplete) {
            EXPECT_TRUE(image.isNull()) << "a file cut short loaded";
        }
        expectNoPartialPicture(damaged, image);
    }
}

// The photo editor's check stands for the draw screen's load: a file that
// passes it shows, one the draw would fail on is refused.
TEST_F(DamagedPicturesTest, TheQuickCheckRefusesExactlyWhatTheLoaderRefuses) {
    const auto fails = [](const std::function<void()>& load) {
        try {
            load();
        } catch (const Error&) {
            return true;
        }
        return false;
    };
    int refused = 0;
    for (const DamagedPicture& damaged : corpus()) {
        SCOPED_TRACE(damaged.name.toStdString());
        const QString path = write(damaged);
        const bool checkFails = fails([&] { CheckPicture(path); });
        EXPECT_EQ(checkFails, fails([&] { LoadPicture(path); }));
        EXPECT_EQ(checkFails, fails([&] { LoadPictureToFit(path, QSize(640, 480)); }));
        refused += checkFails;
    }
    EXPECT_GE(refused, int(corpus().size()) / 2);
}

TEST_F(DamagedPicturesTest, ALogoBoxShowsAWholePictureOrNothing) {
    PictureBox box(nullptr, PictureMode::ShrinkCenter);
    box.resize(200, 150);
    const QString good = dir_.filePath(QStringLiteral("good.png"));
    ASSERT_TRUE(writeFile(good, test::encodeWithQt(test::damagedPicturesOriginal(), "png")));
    for (const DamagedPicture& damaged : corpus()) {
        SCOPED_TRACE(damaged.name.toStdString());
        ShowStoredPicture(box, good); // the box held a logo before
        ASSERT_TRUE(box.hasPicture());
        const QString path = write(damaged);
        ShowStoredPicture(box, path);
        if (box.hasPicture()) {
            EXPECT_EQ(box.pictureName(), path);
        }
        expectNoPartialPicture(damaged, box.picture());
    }
}

TEST_F(DamagedPicturesTest, TheBackgroundIsAWholePictureOrTheBuiltInOne) {
    test::ProgramDatabase db;
    TestServices fakes;
    TFMenu menu(fakes.programContext());
    menu.Image1->resize(320, 240);
    // One stored path per extension; the file behind it changes from case
    // to case, as the main window reads it anew at every activation.
    QString stored;
    for (const DamagedPicture& damaged : corpus()) {
        SCOPED_TRACE(damaged.name.toStdString());
        const QString path =
            dir_.filePath(QStringLiteral("fundo.") + QFileInfo(damaged.name).suffix());
        if (path != stored) {
            db.exec(QStringLiteral("DELETE FROM TbImage"));
            db.exec(QStringLiteral("INSERT INTO TbImage (TelaFundo) VALUES ('%1')").arg(path));
            stored = path;
        }
        ASSERT_TRUE(writeFile(path, damaged.bytes));
        menu.FormActivate();
        const QString shown = menu.Image1->pictureName();
        EXPECT_TRUE(shown == kBuiltIn || shown == path) << shown.toStdString();
        if (shown == path)
            expectNoPartialPicture(damaged, menu.Image1->picture());
    }
    EXPECT_TRUE(fakes.dialogs.asked().empty());
}

} // namespace
} // namespace tiravo
