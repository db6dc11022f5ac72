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

} // namespace
} // namespace tiravo
