// A draw screen on the operator's laptop with the stage alone on the
// projector: F11 and Esc, the frames as the projector shows them, the
// clicker's keys, a projector unplugged.
#include "widgets/AudienceScreen.h"
#include "draws/VantaFoto.h"
#include "draws/VantaNumero.h"
#include "draws/model/PoolColumns.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "platform/AppContext.h"
#include "platform/Pause.h"
#include "store/SqlStatement.h"
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
#include <QCryptographicHash>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace tiravo {
namespace {

// The operator's laptop and, to its right, the projector.
const QRect kLaptop(0, 0, 1366, 768);
const QRect kProjector(1366, 0, 1920, 1080);
[[maybe_unused]] const bool kScreens = test::UseOffscreenScreens({kLaptop, kProjector});

// The real thing's frames return at once; each one runs a probe first, as
// the moment its pause begins is when both monitors must show it.
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

// What a monitor shows of a window now: the pixels last put on it.
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

QByteArray Fingerprint(const QImage& image) {
    const QImage copy = image.convertToFormat(QImage::Format_RGB32);
    return QCryptographicHash::hash(
        QByteArrayView(reinterpret_cast<const char*>(copy.constBits()), copy.sizeInBytes()),
        QCryptographicHash::Sha1);
}

class Audience : public testing::Test {
protected:
    Audience() {
        clock.setTime(QTime(12, 0, 37));
        for (int n = 1; n <= 11; ++n)
            db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                   "VALUES (%1, 'k%2', 1, 0)")
                        .arg(n)
                        .arg(n, 3, 10, QLatin1Char('0')));
    }

    // Opened as the main window opens it, on the laptop.
    template <class Screen> std::unique_ptr<Screen> openOnLaptop() {
        auto w = std::make_unique<Screen>(nullptr, context);
        w->show();
        w->move(100, 60);
        QApplication::setActiveWindow(w.get());
        QApplication::processEvents();
        return w;
    }

    void press(QWidget* w, Qt::Key key) {
        QTest::keyClick(w, key);
        QApplication::processEvents();
    }

    int drawnNumbers() {
        return int(test::ColumnOf(db.connection(), kSorte).size() -
                   test::ColumnOf(db.connection(), kSorte).count(QString()));
    }

    test::TempDatabase db;
    FakeClock clock;
    ProbingPause pause;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeRandom random;
    AppContext context{db.connection(), {clock, pause, dialogs, desktop, random}};
};

TEST_F(Audience, F11PutsTheStageOnTheOtherMonitorAndEscOrF11EndsIt) {
    ASSERT_EQ(QGuiApplication::screens().size(), 2) << "the two offscreen screens are missing";
    auto w = openOnLaptop<TFVantaNumero>();
    const QRect windowed = w->geometry();
    ASSERT_TRUE(kLaptop.contains(windowed));
    QWidget* focused = QApplication::focusWidget();

    press(w.get(), Qt::Key_F11);
    AudienceScreen* audience = w->audienceScreen();
    ASSERT_NE(audience, nullptr);
    EXPECT_TRUE(audience->isVisible());
    EXPECT_TRUE(audience->isFullScreen());
    EXPECT_EQ(audience->geometry(), kProjector);
    EXPECT_EQ(audience->screen()->geometry(), kProjector);
    EXPECT_NEAR(audience->scale(), 1.0, 1e-9);
    // The draw screen stays as it was, with its controls and the focus.
    EXPECT_FALSE(w->isFullScreen());
    EXPECT_FALSE(w->fullScreen->isActive());
    EXPECT_EQ(w->geometry(), windowed);
    EXPECT_EQ(QApplication::focusWidget(), focused);
    // The stage is shown large: its pictures are read for the wall's size.
    const QSize wall = FullScreenPresenter::PresentedSize(w->Image1);
    EXPECT_GT(wall.width(), 2 * w->Image1->width());
    EXPECT_EQ(wall, audience->shownSize(w->Image1));
    EXPECT_EQ(FullScreenPresenter::PresentedSize(w->Button5), w->Button5->size());

    press(w.get(), Qt::Key_Escape);
    EXPECT_EQ(w->audienceScreen(), nullptr);
    EXPECT_TRUE(w->isVisible()) << "Esc ends the audience's screen before it closes the window";
    EXPECT_EQ(w->geometry(), windowed);
    EXPECT_EQ(FullScreenPresenter::PresentedSize(w->Image1), w->Image1->size());

    press(w.get(), Qt::Key_F11);
    ASSERT_NE(w->audienceScreen(), nullptr);
    press(w.get(), Qt::Key_F11);
    EXPECT_EQ(w->audienceScreen(), nullptr);
    EXPECT_FALSE(w->isFullScreen());

    QTest::keyClick(w.get(), Qt::Key_Escape);
    EXPECT_FALSE(w->isVisible());
    EXPECT_TRUE(dialogs.asked().isEmpty());
}

TEST_F(Audience, TheMonitorChosenIsTheOneNamedUnlessTheDrawScreenIsOnIt) {
    auto w = openOnLaptop<TFVantaNumero>();
    QScreen* laptop = QGuiApplication::screenAt(kLaptop.center());
    QScreen* projector = QGuiApplication::screenAt(kProjector.center());
    ASSERT_TRUE(laptop && projector && laptop != projector);
    EXPECT_EQ(AudienceMonitor(w.get(), QString()), projector);
    EXPECT_EQ(AudienceMonitor(w.get(), projector->name()), projector);
    EXPECT_EQ(AudienceMonitor(w.get(), laptop->name()), projector);
    EXPECT_EQ(AudienceMonitor(w.get(), QStringLiteral("unplugged")), projector);
    // The draw screen moved to the projector: the laptop is the audience's.
    w->move(kProjector.topLeft() + QPoint(100, 100));
    QApplication::processEvents();
    EXPECT_EQ(AudienceMonitor(w.get(), QString()), laptop);
    EXPECT_EQ(AudienceMonitor(w.get(), projector->name()), laptop);
}

TEST_F(Audience, AClickDrawsAndEveryFrameIsOnTheProjectorBeforeItsPause) {
    auto w = openOnLaptop<TFVantaNumero>();
    press(w.get(), Qt::Key_F11);
    AudienceScreen* audience = w->audienceScreen();
    ASSERT_NE(audience, nullptr);
    const QRect label = audience->placeOf(w->LabNome);
    ASSERT_FALSE(label.isEmpty());
    struct Seen {
        QString text;
        int blue = 0;
        QByteArray picture;
    };
    QList<Seen> seen;
    pause.probe = [&](QWidget*) {
        const QImage shown = OnScreen(audience).copy(label);
        seen.append({w->LabNome->text(), BluePixels(shown, shown.rect()), Fingerprint(shown)});
    };

    QTest::mouseClick(w->Button5, Qt::LeftButton);
    // Twelve numbers, the teaser, the plain frame, the winner.
    ASSERT_EQ(pause.frames.size(), 15) << pause.frames.join(' ').toStdString();
    EXPECT_EQ(drawnNumbers(), 1);
    ASSERT_EQ(seen.size(), 15);
    for (qsizetype i = 0; i < seen.size(); ++i) {
        const Seen& frame = seen[i];
        // A number in blue fills the label's place on the wall; the teaser has none.
        if (frame.text.isEmpty())
            EXPECT_EQ(frame.blue, 0) << i;
        else
            EXPECT_GT(frame.blue, 4000) << i << " " << frame.text.toStdString();
        // Each new number is on the wall at its own frame, not the one after.
        if (i > 0 && frame.text != seen[i - 1].text) {
            EXPECT_NE(frame.picture, seen[i - 1].picture) << i;
        }
    }
    EXPECT_EQ(w->audienceScreen(), audience);
}

TEST_F(Audience, TheClickersPageDownDrawsAndBOrAPointBlanksTheWallAndBack) {
    auto w = openOnLaptop<TFVantaNumero>();
    // Without the audience's screen or full screen the keys do what they did.
    press(w.get(), Qt::Key_PageDown);
    EXPECT_TRUE(pause.frames.isEmpty());

    press(w.get(), Qt::Key_F11);
    AudienceScreen* audience = w->audienceScreen();
    ASSERT_NE(audience, nullptr);
    press(w.get(), Qt::Key_PageDown);
    EXPECT_EQ(pause.frames.size(), 15);
    EXPECT_EQ(drawnNumbers(), 1);
    const QRect label = audience->placeOf(w->LabNome);
    EXPECT_GT(BluePixels(OnScreen(audience), label), 4000);

    press(w.get(), Qt::Key_B);
    EXPECT_TRUE(audience->isBlank());
    // No background picture was chosen: the wall goes black, all of it.
    const QImage blank = OnScreen(audience);
    EXPECT_EQ(BluePixels(blank, label), 0);
    EXPECT_EQ(blank.pixelColor(960, 540), QColor(Qt::black));
    EXPECT_EQ(blank.pixelColor(1700, 300), QColor(Qt::black));
    // The draw screen is untouched.
    EXPECT_GT(BluePixels(OnScreen(w.get()), w->LabNome->geometry()), 1000);

    press(w.get(), Qt::Key_Period);
    EXPECT_FALSE(audience->isBlank());
    EXPECT_GT(BluePixels(OnScreen(audience), label), 4000);

    // "Next" on a blank wall shows the stage again and draws.
    press(w.get(), Qt::Key_B);
    pause.frames.clear();
    press(w.get(), Qt::Key_PageDown);
    EXPECT_FALSE(audience->isBlank());
    EXPECT_EQ(drawnNumbers(), 2);
    // The arrow keys still move the focus, as in the window.
    w->Button1->setFocus();
    press(w.get(), Qt::Key_Down);
    EXPECT_NE(QApplication::focusWidget(), w->Button1);
}

TEST_F(Audience, PageDownDrawsInFullScreenOnOneMonitorToo) {
    auto w = openOnLaptop<TFVantaNumero>();
    w->fullScreen->enter();
    QApplication::processEvents();
    ASSERT_TRUE(w->fullScreen->isActive());
    press(w.get(), Qt::Key_PageDown);
    EXPECT_EQ(pause.frames.size(), 15);
    EXPECT_EQ(drawnNumbers(), 1);
    const auto label = [&] {
        auto* mirror = w->findChild<ScaledMirror*>();
        return mirror->toMirror(QRect(w->LabNome->pos(), w->LabNome->size())).boundingRect();
    };
    EXPECT_GT(BluePixels(OnScreen(w.get()), label()), 4000);
    // B blanks the full screen, the only thing the audience sees; B brings it back.
    press(w.get(), Qt::Key_B);
    EXPECT_TRUE(w->fullScreen->isBlank());
    EXPECT_EQ(BluePixels(OnScreen(w.get()), label()), 0);
    EXPECT_EQ(OnScreen(w.get()).pixelColor(40, 40), QColor(Qt::black));
    press(w.get(), Qt::Key_B);
    EXPECT_GT(BluePixels(OnScreen(w.get()), label()), 4000);
    // F11 there leaves full screen, not for the audience's screen.
    press(w.get(), Qt::Key_F11);
    EXPECT_FALSE(w->fullScreen->isActive());
    EXPECT_EQ(w->audienceScreen(), nullptr);
}

TEST_F(Audience, AProjectorUnpluggedOrTheWallClosedEndsItAndTheScreenDrawsOn) {
    auto w = openOnLaptop<TFVantaNumero>();
    press(w.get(), Qt::Key_F11);
    AudienceScreen* audience = w->audienceScreen();
    ASSERT_NE(audience, nullptr);
    emit qApp->screenRemoved(audience->screen());
    QApplication::processEvents();
    EXPECT_EQ(w->audienceScreen(), nullptr);
    // Closed by the window manager, it ends as well.
    press(w.get(), Qt::Key_F11);
    ASSERT_NE(w->audienceScreen(), nullptr);
    w->audienceScreen()->close();
    QApplication::processEvents();
    EXPECT_EQ(w->audienceScreen(), nullptr);
    EXPECT_TRUE(w->isVisible());
    press(w.get(), Qt::Key_PageDown);
    EXPECT_TRUE(pause.frames.isEmpty()) << "the clicker's keys end with the audience's screen";
    QTest::mouseClick(w->Button5, Qt::LeftButton);
    EXPECT_EQ(drawnNumbers(), 1);
    EXPECT_TRUE(dialogs.asked().isEmpty());
}

TEST_F(Audience, PhotosAreReadForTheWallAndTheWinnersListShowsThePlacesNewestFirst) {
    QTemporaryDir folder;
    for (int i = 0; i < 3; ++i) {
        const QString path = folder.filePath(QStringLiteral("%1.jpg").arg(i));
        QImage camera(3000, 2000, QImage::Format_RGB32);
        camera.fill(QColor::fromHsv(i * 100, 200, 220));
        ASSERT_TRUE(camera.save(path, "JPG"));
        test::AddPhoto(db, {path, QStringLiteral("k%1").arg(i)});
    }
    auto w = openOnLaptop<TFVantaFoto>();
    press(w.get(), Qt::Key_F11);
    AudienceScreen* audience = w->audienceScreen();
    ASSERT_NE(audience, nullptr);
    const QSize box = audience->shownSize(w->Image1);
    EXPECT_EQ(FullScreenPresenter::PresentedSize(w->Image1), box);

    QList<QSize> shown;
    pause.probe = [&](QWidget*) { shown << w->Image1->picture().size(); };
    press(w.get(), Qt::Key_PageDown);
    ASSERT_EQ(pause.frames.size(), 14) << pause.frames.join(' ').toStdString();
    // Every photo as large as the wall shows it, not the window's size blown up.
    const QSize fit = QSize(3000, 2000).scaled(box, Qt::KeepAspectRatio);
    for (int frame : {0, 5, 11, 13})
        EXPECT_EQ(shown[frame], fit) << frame;
    ASSERT_EQ(w->QrySorte.recordCount(), 1);
    const QString first = w->QrySorte.displayText(0, kFoto);
    press(w.get(), Qt::Key_PageDown);
    ASSERT_EQ(w->QrySorte.recordCount(), 2);
    // The list on the wall: the places, the newest on top, each with its photo.
    const QList<AudienceWinner>& list = audience->winners();
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].place, "2º");
    EXPECT_EQ(list[0].picturePath, w->QrySorte.displayText(0, kFoto));
    EXPECT_EQ(list[1].place, "1º");
    EXPECT_EQ(list[1].picturePath, first);
    for (const AudienceWinner& winner : list)
        EXPECT_EQ(winner.picture.size(), QSize(3000, 2000).scaled(400, 300, Qt::KeepAspectRatio));
}

TEST_F(Audience, TheEventsBackgroundIsBehindTheStageAndIsWhatABlankWallShows) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fundo.png"));
    QImage red(1600, 900, QImage::Format_RGB32);
    red.fill(QColor(200, 20, 20));
    ASSERT_TRUE(red.save(path));
    SqlStatement& insert = db.connection().statement("INSERT INTO TbImage (TelaFundo) VALUES (?)");
    insert.bind(1, path);
    while (insert.step()) {
    }
    insert.reset();
    context.TbImage.open();
    auto w = openOnLaptop<TFVantaNumero>();
    press(w.get(), Qt::Key_PageDown);
    EXPECT_TRUE(pause.frames.isEmpty());
    press(w.get(), Qt::Key_F11);
    AudienceScreen* audience = w->audienceScreen();
    ASSERT_NE(audience, nullptr);
    press(w.get(), Qt::Key_PageDown);
    ASSERT_EQ(drawnNumbers(), 1);
    ASSERT_EQ(audience->winners().size(), 1);
    EXPECT_EQ(audience->winners()[0].place, "1º");
    EXPECT_EQ(audience->winners()[0].entry, w->QrySorte.displayText(0, kNumero));

    const QRect label = audience->placeOf(w->LabNome);
    const QImage shown = OnScreen(audience);
    EXPECT_EQ(shown.pixelColor(10, 10), QColor(200, 20, 20));
    EXPECT_GT(BluePixels(shown, label), 4000);
    press(w.get(), Qt::Key_Period);
    const QImage blank = OnScreen(audience);
    EXPECT_EQ(BluePixels(blank, label), 0);
    EXPECT_EQ(blank.pixelColor(label.center()), QColor(200, 20, 20));
}

} // namespace
} // namespace tiravo
