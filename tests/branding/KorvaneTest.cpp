// The about window and the two pages around it.
#include "branding/Korvane.h"
#include "PartnersSupport.h"
#include "widgets/PictureBox.h"

#include <QScreen>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

const QString kHome = QStringLiteral("https://www.korvane.example/");
const QString kProduct = QStringLiteral("https://www.korvane.example/tiravo.html");

class KorvaneTest : public testing::Test {
protected:
    void inAbout(const std::function<void(TFKorvane&)>& action) {
        app.inWindow(app.menu->ToolButton4, [&](QDialog* window) {
            auto* about = qobject_cast<TFKorvane*>(window);
            ASSERT_NE(about, nullptr);
            action(*about);
        });
    }

    test::LoggedInMenu app;
};

TEST_F(KorvaneTest, CardFillsTheCentredWindowAndItsClickOpensTheHomePageWithoutClosing) {
    // Wherever the main window is, the about window opens in the screen's middle.
    app.menu->showNormal();
    app.menu->setGeometry(0, 40, 500, 300);
    QTest::qWait(1);
    inAbout([&](TFKorvane& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Korvane - Desenvolvimento de Sistemas"));
        EXPECT_EQ(w.size(), QSize(421, 420));
        // The frame, title bar included, is what sits in the middle.
        EXPECT_LE((w.frameGeometry().center() - w.screen()->availableGeometry().center())
                      .manhattanLength(),
                  2);
        EXPECT_EQ(w.Image1->geometry(), QRect(8, 8, 400, 400));
        EXPECT_EQ(w.Image1->pictureRect(), QRect(0, 0, 400, 400));
        EXPECT_EQ(w.Image1->pictureName(), QStringLiteral(":/pictures/about.png"));
        EXPECT_EQ(w.Image1->cursor().shape(), Qt::PointingHandCursor);
        EXPECT_TRUE(app.fakes.desktop.opened.isEmpty());

        QTest::mouseClick(w.Image1, Qt::LeftButton);
        EXPECT_EQ(app.fakes.desktop.opened, QStringList{kHome});
        EXPECT_TRUE(w.isVisible());
        QTest::keyClick(&w, Qt::Key_Escape);
        EXPECT_FALSE(w.isVisible());
    });
    // Two pages: the home page from the card, the product page after closing.
    EXPECT_EQ(app.fakes.desktop.opened, (QStringList{kHome, kProduct}));
}

TEST_F(KorvaneTest, EveryWayOfClosingLeadsToTheProductPage) {
    inAbout([&](TFKorvane& w) {
        QTest::keyClick(&w, Qt::Key_A);
        QTest::keyClick(&w, Qt::Key_Return);
        EXPECT_TRUE(w.isVisible());
        QTest::keyClick(&w, Qt::Key_Escape);
    });
    EXPECT_EQ(app.fakes.desktop.opened, QStringList{kProduct});
    // The close box.
    inAbout([&](TFKorvane& w) { EXPECT_TRUE(w.close()); });
    EXPECT_EQ(app.fakes.desktop.opened, (QStringList{kProduct, kProduct}));
    EXPECT_TRUE(app.fakes.dialogs.asked().isEmpty());
}

} // namespace
} // namespace tiravo
