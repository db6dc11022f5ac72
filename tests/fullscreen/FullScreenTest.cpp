// The draw screens full screen on the one monitor there is, driven through the
// scaled picture: clicks at the scaled places, the keys, the frames as the
// monitor shows them, and the way back to the window.
#include "draws/VantaFoto.h"
#include "draws/VantaNumero.h"
#include "draws/model/PoolColumns.h"
#include "platform/AppContext.h"
#include "platform/Pause.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/FakeRandom.h"
#include "support/OffscreenScreens.h"
#include "support/PoolRows.h"
#include "support/TempDatabase.h"
#include "widgets/FullScreenPresenter.h"
#include "widgets/PictureBox.h"
#include "widgets/ScaledMirror.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace tiravo {
namespace {

// The projector alone, where it stands right of a laptop's monitor: with a
// second monitor F11 gives the audience a screen of its own instead
// (tests/audience).
const QRect kProjector(1366, 0, 1920, 1080);
[[maybe_unused]] const bool kScreens = test::UseOffscreenScreens({kProjector});

// The real thing's frames return at once; each one runs a probe first, as
// the moment its pause begins is when the monitor must show it.
class ProbingPause final : public Pause {
public:
    void showFor(QWidget* control, int milliseconds) override {
        if (control)
            control->repaint();
        frames << (control ? control->objectName() : QString()) + QLatin1Char('@') +
                      QString::number(milliseconds);
        if (probe)
            probe(control);
    }
    QStringList frames;
    std::function<void(QWidget*)> probe;
};

// What the monitor shows of the window now: the pixels last put on it.
QImage OnScreen(QWidget* window) {
    return window->screen()->grabWindow(window->winId()).toImage();
}

// How many pixels of `area` are strongly blue, the colour of the number.
int BluePixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            count += c.blue() > 180 && c.red() < 90 && c.green() < 90;
        }
    return count;
}

class FullScreen : public testing::Test {
protected:
    FullScreen() {
        clock.setTime(QTime(12, 0, 37));
        for (int n = 1; n <= 11; ++n)
            db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                   "VALUES (%1, 'k%2', 1, 0)")
                        .arg(n)
                        .arg(n, 3, 10, QLatin1Char('0')));
    }

    // Opened as the main window opens it, then moved to the projector.
    template <class Screen> std::unique_ptr<Screen> openOnProjector() {
        auto w = std::make_unique<Screen>(nullptr, context);
        w->show();
        w->move(kProjector.topLeft() + QPoint(200, 100));
        QApplication::setActiveWindow(w.get());
        QApplication::processEvents();
        return w;
    }

    static ScaledMirror* mirrorOf(QWidget* w) { return w->findChild<ScaledMirror*>(); }

    // The point of the monitor where `control` is drawn, in the mirror.
    static QPoint scaledCentre(QWidget* w, QWidget* control) {
        const QRect design(control->mapTo(w, QPoint()), control->size());
        return mirrorOf(w)->toMirror(design).boundingRect().center();
    }

    void pressF11(QWidget* w) {
        QTest::keyClick(w, Qt::Key_F11);
        QApplication::processEvents();
    }

    test::TempDatabase db;
    FakeClock clock;
    ProbingPause pause;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeRandom random;
    AppContext context{db.connection(), {clock, pause, dialogs, desktop, random}};
};

TEST_F(FullScreen, F11FillsTheMonitorTheWindowIsOnAndEscGoesBackBeforeItCloses) {
    ASSERT_EQ(QGuiApplication::screens().size(), 1) << "the offscreen screen is missing";
    auto w = openOnProjector<TFVantaNumero>();
    const QRect windowed = w->geometry();
    ASSERT_TRUE(kProjector.contains(windowed));

    pressF11(w.get());
    EXPECT_TRUE(w->isFullScreen());
    EXPECT_EQ(w->geometry(), kProjector);
    EXPECT_EQ(w->screen()->geometry(), kProjector);
    // 1920 x 1080 over 933 x 516: the width is the tighter, 9 pixels spare
    // above and below.
    ScaledMirror* mirror = mirrorOf(w.get());
    ASSERT_TRUE(mirror && mirror->isVisible());
    EXPECT_NEAR(mirror->scale(), 1920.0 / 933, 1e-9);
    EXPECT_NEAR(mirror->offset().y(), (1080 - 516 * 1920.0 / 933) / 2, 1e-9);
    EXPECT_EQ(FullScreenPresenter::PresentedSize(w->Image1), QSize(1259, 679));
    // The controls keep their design; the focus stays where it was.
    EXPECT_EQ(w->Button5->geometry(), QRect(9, 247, 120, 81));

    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isFullScreen());
    EXPECT_EQ(w->geometry(), windowed);
    EXPECT_EQ(w->size(), QSize(933, 516));
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_FALSE(mirror->isVisible());
    EXPECT_EQ(FullScreenPresenter::PresentedSize(w->Image1), QSize(612, 330));

    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(dialogs.asked().isEmpty());
}

TEST_F(FullScreen, AClickOnTheScaledButtonDrawsAndEveryFrameIsOnTheMonitorScaled) {
    auto w = openOnProjector<TFVantaNumero>();
    pressF11(w.get());
    ScaledMirror* mirror = mirrorOf(w.get());
    const QRect label =
        mirror->toMirror(QRect(w->LabNome->pos(), w->LabNome->size())).boundingRect();
    struct Seen {
        QString text;
        int blue = 0;
        bool pointerHidden = false;
    };
    QList<Seen> seen;
    pause.probe = [&](QWidget*) {
        seen.append({w->LabNome->text(), BluePixels(OnScreen(w.get()), label),
                     mirror->cursor().shape() == Qt::BlankCursor});
    };

    // A click on the border beside the design reaches nothing.
    QTest::mouseClick(mirror, Qt::LeftButton, {}, QPoint(960, 3));
    EXPECT_TRUE(pause.frames.isEmpty());

    QTest::mouseClick(mirror, Qt::LeftButton, {}, scaledCentre(w.get(), w->Button5));
    // Twelve numbers, the teaser, the plain frame, the winner.
    ASSERT_EQ(pause.frames.size(), 15) << pause.frames.join(' ').toStdString();
    EXPECT_EQ(test::ColumnOf(db.connection(), kSorte, QStringLiteral("TbNumero")).count("1"), 1);
    EXPECT_EQ(w->LabNome->text(), "05");
    // The click gave the button the focus, as in the window.
    EXPECT_EQ(QApplication::focusWidget(), w->Button5);

    for (const Seen& frame : seen) {
        EXPECT_TRUE(frame.pointerHidden);
        // A number in blue fills the label's scaled place; the teaser has none.
        if (frame.text.isEmpty())
            EXPECT_EQ(frame.blue, 0);
        else
            EXPECT_GT(frame.blue, 2000) << frame.text.toStdString();
    }
    EXPECT_NE(mirror->cursor().shape(), Qt::BlankCursor);

    // Enter presses the focused button again, in full screen as in the
    // window: ten numbers are drawn without flashing.
    pause.frames.clear();
    QTest::keyClick(w.get(), Qt::Key_Return);
    EXPECT_EQ(pause.frames, QStringList({"Image1@1000", "Image1@0", "LabNome@100"}));
}

TEST_F(FullScreen, PhotosAreDecodedForTheScaledBoxTheyAreShownIn) {
    QTemporaryDir folder;
    for (int i = 0; i < 3; ++i) {
        const QString path = folder.filePath(QStringLiteral("%1.jpg").arg(i));
        QImage camera(2400, 1800, QImage::Format_RGB32);
        camera.fill(QColor::fromHsv(i * 100, 200, 220));
        ASSERT_TRUE(camera.save(path, "JPG"));
        test::AddPhoto(db, {path, QStringLiteral("k%1").arg(i)});
    }
    auto w = openOnProjector<TFVantaFoto>();
    pressF11(w.get());
    // 1920 x 1080 over 958 x 672: the height is the tighter.
    const QSize box = FullScreenPresenter::PresentedSize(w->Image1);
    EXPECT_EQ(box, QSize(qRound(640 * 1080.0 / 672), qRound(480 * 1080.0 / 672)));

    QList<QSize> shown;
    pause.probe = [&](QWidget*) { shown << w->Image1->picture().size(); };
    QTest::mouseClick(mirrorOf(w.get()), Qt::LeftButton, {}, scaledCentre(w.get(), w->Button5));
    ASSERT_EQ(pause.frames.size(), 14) << pause.frames.join(' ').toStdString();
    // The flick's twelve photos and the winner, each as large as its box shows
    // it on the projector, not 640 x 480 blown up.
    const QSize fit = QSize(2400, 1800).scaled(box, Qt::KeepAspectRatio);
    for (int frame : {0, 5, 11, 13})
        EXPECT_EQ(shown[frame], fit) << frame;
    // The column takes the winner at that size.
    EXPECT_EQ(w->Img1->picture().size(), fit);
}

} // namespace
} // namespace tiravo
