// The logo strip: each stored path shown in its own box, failures silent.
#include "branding/LogoStrip.h"
#include "draws/VantaNumero.h"
#include "support/TempDatabase.h"
#include "support/TestServices.h"
#include "widgets/PictureBox.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

TEST(LogoStrip, EachLogoShowsOnItsOwnAtEveryActivationAndAFailedOneEmptiesOnlyItsBox) {
    QTemporaryDir dir;
    auto picture = [&](const QString& name, QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGreen);
        EXPECT_TRUE(image.save(dir.filePath(name)));
        return dir.filePath(name);
    };
    const QString big = picture("big.png", {400, 300});
    const QString small = picture("small.jpg", {50, 40});
    QFile notes(dir.filePath("notes.txt"));
    ASSERT_TRUE(notes.open(QIODevice::WriteOnly) && notes.write("not a picture") > 0);
    notes.close();

    test::TempDatabase db;
    TestServices fake;
    // Bound, not spliced: a temporary folder's name may hold a quote.
    SqlStatement& insert =
        db.connection().statement("INSERT INTO TbImage (Logo1, Logo2, Logo3) VALUES (?, '', ?)");
    insert.bind(1, big);
    insert.bind(2, small);
    while (insert.step()) {
    }
    insert.reset();
    TFVantaNumero w(nullptr, fake.context(db.connection()));
    db.exec("UPDATE TbImage SET Logo2 = Logo1"); // after it opened: not seen
    w.ImageLog2->setPicture(QImage(4, 4, QImage::Format_RGB32), "earlier");
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));

    EXPECT_EQ(w.ImageLog1->pictureName(), big);
    EXPECT_EQ(w.ImageLog1->pictureRect(), QRect(0, 0, 200, 150)); // shrunk, proportions kept
    EXPECT_FALSE(w.ImageLog2->hasPicture());
    EXPECT_EQ(w.ImageLog3->pictureRect(), QRect(75, 55, 50, 40)); // own size, centred

    // Again at the next activation: a logo moved away meanwhile leaves an empty box.
    QFile::remove(small);
    TFVantaNumero other(nullptr, fake.context(db.connection()));
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    EXPECT_FALSE(w.ImageLog3->hasPicture());
    EXPECT_EQ(w.ImageLog1->pictureName(), big);

    ShowStoredPicture(*w.ImageLog1, notes.fileName());
    EXPECT_FALSE(w.ImageLog1->hasPicture());
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

} // namespace
} // namespace tiravo
