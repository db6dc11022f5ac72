// Photos decoded ahead on worker threads come back exactly as the loader
// gives them, in the order asked, and fail only when their turn comes.
#include "platform/PhotoPrefetch.h"
#include "common/Error.h"
#include "platform/Pictures.h"

#include <QColor>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

class PhotoPrefetchTest : public testing::Test {
protected:
    QString photo(const QString& name, QSize size, QColor colour) {
        const QString path = dir_.filePath(name);
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        EXPECT_TRUE(image.save(path, "JPG"));
        return path;
    }

    static QString failureOf(const std::function<void()>& action) {
        try {
            action();
        } catch (const Error& error) {
            return error.message();
        }
        return {};
    }

    QTemporaryDir dir_;
    const QSize box_{64, 48};
};

TEST_F(PhotoPrefetchTest, PicturesComeInTheOrderExpectedAsTheLoaderFitsThem) {
    const QString a = photo("a.jpg", {320, 240}, Qt::red);
    const QString b = photo("b.jpg", {40, 80}, Qt::blue);
    PhotoPrefetch ahead(box_);
    ahead.expect({a, b, a, a});
    EXPECT_EQ(ahead.expected(), QStringList({a, b, a, a}));

    for (const QString& path : {a, b, a}) {
        const QImage picture = ahead.take(path);
        EXPECT_EQ(picture, LoadPictureToFit(path, box_)) << path.toStdString();
    }
    EXPECT_EQ(ahead.take(a).size(), QSize(64, 48));
    EXPECT_TRUE(ahead.expected().isEmpty());
}

TEST_F(PhotoPrefetchTest, ExpectingAgainKeepsTheCommonBeginningAndDropsTheRest) {
    const QString a = photo("a.jpg", {32, 32}, Qt::red);
    const QString b = photo("b.jpg", {32, 32}, Qt::green);
    const QString c = photo("c.jpg", {32, 32}, Qt::blue);
    PhotoPrefetch ahead(box_);
    ahead.expect({a, b, c});
    ahead.expect({a, b, a, b});
    EXPECT_EQ(ahead.expected(), QStringList({a, b, a, b}));
    ahead.expect({a});
    EXPECT_EQ(ahead.expected(), QStringList({a}));

    // A photo that is not the next one expected is loaded there and then,
    // and nothing expected survives it: the run went another way.
    ahead.expect({a, b});
    EXPECT_EQ(ahead.take(c), LoadPictureToFit(c, box_));
    EXPECT_TRUE(ahead.expected().isEmpty());

    ahead.expect({a, b});
    ahead.forget();
    EXPECT_TRUE(ahead.expected().isEmpty());
}

TEST_F(PhotoPrefetchTest, APhotoDueInSeveralFramesStaysWantedWhileOneOfThemIs) {
    const QString big = photo("big.jpg", {2400, 1800}, Qt::darkBlue);
    const QString a = photo("a.jpg", {32, 32}, Qt::red);
    const QString x = photo("x.jpg", {32, 32}, Qt::green);
    // One worker, busy with the big photo while the plan changes: the later
    // frame of `a` goes, the earlier one still needs its picture.
    PhotoPrefetch ahead(box_, 1);
    ahead.expect({big, a, x, a});
    ahead.expect({big, a});
    EXPECT_FALSE(ahead.take(big).isNull());
    EXPECT_EQ(ahead.take(a), LoadPictureToFit(a, box_));
}

TEST_F(PhotoPrefetchTest, APhotoThatCannotBeLoadedFailsWhenTakenWithTheLoadersWords) {
    const QString a = photo("a.jpg", {32, 32}, Qt::red);
    const QString gone = dir_.filePath("gone.jpg");
    const QString unknown = photo("b.jpg", {32, 32}, Qt::blue) + ".xyz";
    QFile::rename(dir_.filePath("b.jpg"), unknown);
    PhotoPrefetch ahead(box_);
    ahead.expect({a, gone, unknown, a});

    EXPECT_FALSE(ahead.take(a).isNull());
    const QString expectedGone = failureOf([&] { LoadPictureToFit(gone, box_); });
    ASSERT_FALSE(expectedGone.isEmpty());
    EXPECT_EQ(failureOf([&] { ahead.take(gone); }), expectedGone);
    EXPECT_EQ(failureOf([&] { ahead.take(unknown); }), "Unknown picture file extension (.xyz)");
    // The failures spoil nothing after them.
    EXPECT_FALSE(ahead.take(a).isNull());
}

TEST_F(PhotoPrefetchTest, LeavingWithDecodesUnderWayWaitsForThem) {
    const QString big = photo("big.jpg", {2000, 1500}, Qt::darkGreen);
    for (int round = 0; round < 5; ++round) {
        PhotoPrefetch ahead(box_, 2);
        ahead.expect(QStringList(8, big));
        if (round % 2) {
            EXPECT_FALSE(ahead.take(big).isNull());
        }
    }
}

} // namespace
} // namespace tiravo
