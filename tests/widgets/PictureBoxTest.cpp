// The picture box: where each display mode puts a picture, what it paints,
// what it names and its click.
#include "widgets/PictureBox.h"

#include "WidgetTesting.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

struct Placement {
    const char* name;
    PictureMode mode;
    QSize picture;
    QRect expected; // in a 200 by 150 box, the logo boxes' size
};

class PictureRectTest : public testing::TestWithParam<Placement> {};

TEST_P(PictureRectTest, PlacesThePictureAsTheModeSays) {
    const Placement& p = GetParam();
    PictureBox box(nullptr, p.mode);
    box.resize(200, 150);
    QImage picture(p.picture, QImage::Format_RGB32);
    picture.fill(Qt::red);
    box.setPicture(picture, "logo.png");
    EXPECT_EQ(box.pictureRect(), p.expected);
}

INSTANTIATE_TEST_SUITE_P(
    WideTallAndSmall, PictureRectTest,
    testing::Values(
        Placement{"StretchWide", PictureMode::Stretch, {400, 100}, {0, 0, 200, 150}},
        Placement{"StretchSmall", PictureMode::Stretch, {50, 30}, {0, 0, 200, 150}},
        Placement{"ProportionalWide", PictureMode::Proportional, {400, 100}, {0, 50, 200, 50}},
        Placement{"ProportionalTall", PictureMode::Proportional, {100, 400}, {81, 0, 37, 150}},
        Placement{"ProportionalSmallGrows", PictureMode::Proportional, {50, 30}, {0, 15, 200, 120}},
        Placement{"ShrinkWide", PictureMode::ShrinkCenter, {400, 100}, {0, 50, 200, 50}},
        Placement{"ShrinkTall", PictureMode::ShrinkCenter, {100, 400}, {81, 0, 37, 150}},
        Placement{"ShrinkSmallStays", PictureMode::ShrinkCenter, {50, 30}, {75, 60, 50, 30}}),
    [](const testing::TestParamInfo<Placement>& param) { return std::string(param.param.name); });

TEST(PictureBox, PaintsOnlyThePictureAndNamesWhatItShows) {
    PictureBox box(nullptr, PictureMode::Proportional);
    box.resize(200, 150);
    EXPECT_EQ(box.property("shownPicture").toString(), "");
    EXPECT_TRUE(box.pictureRect().isNull());
    QImage wide(400, 100, QImage::Format_RGB32);
    wide.fill(Qt::red);
    box.setPicture(wide, ":/pictures/teaser.png");
    EXPECT_EQ(box.property("shownPicture").toString(), ":/pictures/teaser.png");

    // Rendered without the window background a top-level widget would get.
    const auto paint = [&box](QImage& canvas) {
        canvas.fill(Qt::transparent);
        box.render(&canvas, QPoint(), QRegion(), QWidget::DrawChildren);
    };
    QImage canvas(200, 150, QImage::Format_ARGB32);
    paint(canvas);
    EXPECT_EQ(canvas.pixelColor(100, 75), QColor(Qt::red));
    // Above and below a wide picture what lies behind shows through.
    EXPECT_EQ(canvas.pixelColor(100, 10).alpha(), 0);
    EXPECT_EQ(canvas.pixelColor(100, 140).alpha(), 0);

    box.clear();
    EXPECT_EQ(box.property("shownPicture").toString(), "");
    EXPECT_FALSE(box.hasPicture());
    paint(canvas);
    EXPECT_EQ(canvas.pixelColor(100, 75).alpha(), 0);
}

TEST(PictureBox, LeftClickIsAClickAndOtherButtonsAreNot) {
    QWidget window;
    window.resize(300, 200);
    auto* box = new PictureBox(&window, PictureMode::ShrinkCenter);
    box->setGeometry(10, 10, 111, 149);
    ASSERT_TRUE(test::ShowActive(window));
    QSignalSpy clicks(box, &PictureBox::clicked);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseClick(box, Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
} // namespace tiravo
