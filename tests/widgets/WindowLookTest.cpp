// Where a secondary window opens: its frame, title bar included, centred.
#include "widgets/WindowLook.h"

#include <gtest/gtest.h>

namespace tiravo {
namespace {

TEST(WindowLook, TheFrameNotTheClientAreaIsCentredAndTheTitleBarStaysInReach) {
    const QRect screen(0, 0, 1920, 1050);
    const QSize client(853, 538);
    const QMargins frame(4, 24, 4, 4); // a title bar and thin borders
    const QPoint place = CentredFramePosition(screen, client, frame);
    const QRect framed(place, client.grownBy(frame));
    EXPECT_LE(std::abs(framed.center().x() - screen.center().x()), 1);
    EXPECT_LE(std::abs(framed.center().y() - screen.center().y()), 1);

    // Without a frame to go by, the client area is what is centred.
    const QRect bare(CentredFramePosition(screen, client, {}), client);
    EXPECT_LE(std::abs(bare.center().y() - screen.center().y()), 1);

    // Larger than a small screen: the title bar's corner stays on it.
    EXPECT_EQ(CentredFramePosition(QRect(0, 30, 800, 500), client, frame), QPoint(0, 30));
}

// A window with a designed place, the administration window's: left 663, top
// 367, a client area of 402 by 444.
TEST(WindowLook, ADesignedPlaceIsKeptWhereTheWindowFitsAndMovesJustEnoughWhereNot) {
    const QPoint designed(663, 367);
    const QSize client(402, 444);
    const QMargins frame(4, 24, 4, 4);
    const QSize framed = client.grownBy(frame); // 410 by 472

    // Full HD, and a screen just large enough: exactly where it was designed.
    EXPECT_EQ(FittedFramePosition(QRect(0, 0, 1920, 1050), designed, client, frame), designed);
    EXPECT_EQ(FittedFramePosition(QRect(0, 0, 663 + 410, 367 + 472), designed, client, frame),
              designed);

    // The common laptop, its panel at the bottom: the left edge stays, the
    // window comes up until its bottom edge is the screen's.
    const QRect laptop(0, 0, 1366, 728);
    const QPoint onLaptop = FittedFramePosition(laptop, designed, client, frame);
    EXPECT_EQ(onLaptop, QPoint(663, 728 - framed.height()));
    EXPECT_EQ(QRect(onLaptop, framed).bottom(), laptop.bottom());

    // Too narrow as well: it comes left just as far.
    const QPoint onSmall = FittedFramePosition(QRect(0, 0, 1024, 600), designed, client, frame);
    EXPECT_EQ(onSmall, QPoint(1024 - framed.width(), 600 - framed.height()));

    // A panel at the top and one at the left: the area starts further in.
    const QRect inset(48, 32, 1318, 736);
    EXPECT_EQ(FittedFramePosition(inset, designed, client, frame),
              QPoint(663, 32 + 736 - framed.height()));

    // A screen to the right of the primary one, in the desktop's coordinates.
    const QRect second(1920, 0, 1366, 768);
    EXPECT_EQ(FittedFramePosition(second, QPoint(1920 + 663, 367), client, frame),
              QPoint(1920 + 663, 768 - framed.height()));

    // Smaller than the window itself: the title bar's corner stays on it.
    EXPECT_EQ(FittedFramePosition(QRect(0, 0, 320, 240), designed, client, frame), QPoint(0, 0));
}

} // namespace
} // namespace tiravo
