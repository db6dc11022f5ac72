// A draw screen on the operator's monitor and the stage alone on the
// audience's, on a real X server with two monitors and a window manager (run
// under tests/realdisplay/on-two-monitors): what the X server shows on the
// audience's monitor at the start of every frame's pause, the clicker's keys
// and the way back.
#include "draws/VantaNumero.h"
#include "draws/model/PoolColumns.h"
#include "platform/AppContext.h"
#include "platform/Pause.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/FakeRandom.h"
#include "support/PoolRows.h"
#include "support/TempDatabase.h"
#include "widgets/AudienceScreen.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace tiravo {
namespace {

// The pixels the X server holds now for `area` of the desktop.
QImage OnMonitor(const QRect& area) {
    QScreen* screen = QGuiApplication::screenAt(area.center());
    if (!screen)
        return {};
    const QPoint local = area.topLeft() - screen->geometry().topLeft();
    return screen->grabWindow(0, local.x(), local.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

int BluePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.blue() > 180 && c.red() < 90 && c.green() < 90;
        }
    return count;
}

int DarkPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += qGray(image.pixel(x, y)) < 16;
    return count;
}

class LookingPause final : public Pause {
public:
    void showFor(QWidget* control, int) override {
        if (control)
            control->repaint();
        if (look)
            look();
    }
    std::function<void()> look;
};

void Settle() {
    for (int i = 0; i < 10; ++i)
        QTest::qWait(60);
}

TEST(TwoMonitors, F11PutsTheStageOnTheOtherMonitorWithEveryFrameAndTheClickerDrivesIt) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs a real X display";
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screens.size() < 2)
        GTEST_SKIP() << "one monitor: run under tests/realdisplay/on-two-monitors";
    QScreen* operatorMonitor = QGuiApplication::screenAt(QPoint(10, 10));
    ASSERT_NE(operatorMonitor, nullptr);
    QScreen* audienceMonitor = nullptr;
    for (QScreen* screen : screens)
        if (screen != operatorMonitor)
            audienceMonitor = screen;

    test::TempDatabase db;
    FakeClock clock;
    clock.setTime(QTime(20, 15, 37));
    LookingPause pause;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeRandom random;
    AppContext context{db.connection(), {clock, pause, dialogs, desktop, random}};
    for (int n = 1; n <= 40; ++n)
        db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                               "VALUES (%1, 'k%2', 1, 0)")
                    .arg(400 + n * 3)
                    .arg(n, 3, 10, QLatin1Char('0')));

    TFVantaNumero w(nullptr, context);
    w.move(operatorMonitor->geometry().topLeft() + QPoint(120, 90));
    w.show();
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    Settle();
    const QRect windowed = w.geometry();
    ASSERT_EQ(QGuiApplication::screenAt(windowed.center()), operatorMonitor);

    QTest::keyClick(&w, Qt::Key_F11);
    AudienceScreen* audience = w.audienceScreen();
    ASSERT_NE(audience, nullptr);
    const QRect wall = audienceMonitor->geometry();
    EXPECT_TRUE(QTest::qWaitFor([&] { return audience->geometry() == wall; }, 5000))
        << "the window manager did not put the stage full screen on the other monitor";
    Settle();
    EXPECT_TRUE(audience->isFullScreen());
    EXPECT_EQ(audience->screen(), audienceMonitor);
    EXPECT_FALSE(w.isFullScreen());
    EXPECT_EQ(w.geometry(), windowed);
    EXPECT_TRUE(w.isActiveWindow()) << "the keys must stay with the draw screen";

    const QRect label = audience->placeOf(w.LabNome).translated(wall.topLeft());
    struct Seen {
        QString text;
        int blue = 0;
        QByteArray picture;
    };
    QList<Seen> seen;
    pause.look = [&] {
        const QImage shown = OnMonitor(label);
        seen.append({w.LabNome->text(), BluePixels(shown),
                     QCryptographicHash::hash(
                         QByteArrayView(reinterpret_cast<const char*>(shown.constBits()),
                                        shown.sizeInBytes()),
                         QCryptographicHash::Sha1)});
    };
    w.Button5->click();
    Settle();
    pause.look = nullptr;
    ASSERT_GE(seen.size(), 10);
    for (qsizetype i = 0; i < seen.size(); ++i) {
        if (seen[i].text.isEmpty())
            EXPECT_EQ(seen[i].blue, 0) << "frame " << i;
        else
            EXPECT_GT(seen[i].blue, 4000) << "frame " << i << " " << seen[i].text.toStdString();
        if (i > 0 && seen[i].text != seen[i - 1].text) {
            EXPECT_NE(seen[i].picture, seen[i - 1].picture)
                << "frame " << i << " was not on the audience's monitor when its pause began";
        }
    }
    const QString first = w.QrySorte.displayText(0, kNumero);

    // The clicker: "next" draws, "B" blanks the wall and brings it back.
    QTest::keyClick(&w, Qt::Key_PageDown);
    Settle();
    EXPECT_EQ(w.QrySorte.recordCount(), 2);
    EXPECT_NE(w.QrySorte.displayText(0, kNumero), first);
    QTest::keyClick(&w, Qt::Key_B);
    Settle();
    const QImage blank = OnMonitor(wall);
    EXPECT_EQ(DarkPixels(blank), blank.width() * blank.height());
    QTest::keyClick(&w, Qt::Key_B);
    Settle();
    EXPECT_GT(BluePixels(OnMonitor(label)), 4000);

    QTest::keyClick(&w, Qt::Key_Escape);
    Settle();
    EXPECT_EQ(w.audienceScreen(), nullptr);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.geometry(), windowed);
    EXPECT_TRUE(dialogs.asked().isEmpty());
}

} // namespace
} // namespace tiravo
