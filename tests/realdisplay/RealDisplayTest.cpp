// The draw screens on a real X display with a window manager, as the
// audience sees them: what the monitor shows full screen, brought back to the
// window's size, is what it shows of the window itself, before a draw, at the
// start of the pause of every frame and after it.
//
// Runs once per monitor size under tests/realdisplay/on-x-display (see the
// CMake list); each run opens every screen twice on fresh, equal files, once
// windowed and once full screen, with the same fixed clock and random numbers,
// so both runs paint the same frames.
#include "draws/VantaFoto.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "platform/AppContext.h"
#include "platform/Pause.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/FakeRandom.h"
#include "support/PoolRows.h"
#include "support/TempDatabase.h"
#include "widgets/DigitalClock.h"
#include "widgets/FullScreenPresenter.h"
#include "widgets/ScaledMirror.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace tiravo {
namespace {

// The pixels the X server holds now for `area` of the desktop: what the
// monitor shows, whatever the program believes it painted.
QImage OnMonitor(const QRect& area) {
    return QGuiApplication::primaryScreen()
        ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

// Repaints each frame as the real pause does, then looks at the monitor at
// the moment the pause would begin; no time passes.
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

// A pixel matches when the other picture has a pixel of nearly its colour at
// its place or next to it: text drawn at a higher resolution and brought back
// moves its edges by a pixel, a missing piece of the picture does not.
bool HasNear(const QImage& other, int x, int y, QRgb colour) {
    constexpr int kTolerance = 64;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int ox = x + dx;
            const int oy = y + dy;
            if (ox < 0 || oy < 0 || ox >= other.width() || oy >= other.height())
                continue;
            const QRgb o = other.pixel(ox, oy);
            if (std::abs(qRed(o) - qRed(colour)) <= kTolerance &&
                std::abs(qGreen(o) - qGreen(colour)) <= kTolerance &&
                std::abs(qBlue(o) - qBlue(colour)) <= kTolerance)
                return true;
        }
    return false;
}

// The places where `a` and `b` (of one size) do not match, outside
// `ignored`, in pixels of the window. They are compared at half their size,
// and a place counts only where its neighbours differ too: an edge drawn at
// another resolution and brought back moves by a pixel or two along its
// length, while a patch over the stage or a missing digit is a solid area.
QRegion Mismatches(const QImage& a, const QImage& b, const QRect& ignored) {
    const QSize half = a.size() / 2;
    const QImage ha = a.scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage hb = b.scaled(half, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const auto at = [&](int x, int y) { return y * half.width() + x; };
    std::vector<bool> differs(std::size_t(half.width()) * half.height(), false);
    for (int y = 0; y < half.height(); ++y)
        for (int x = 0; x < half.width(); ++x)
            differs[at(x, y)] =
                !ignored.intersects(QRect(2 * x, 2 * y, 2, 2)) &&
                (!HasNear(hb, x, y, ha.pixel(x, y)) || !HasNear(ha, x, y, hb.pixel(x, y)));
    QRegion found;
    for (int y = 1; y + 1 < half.height(); ++y)
        for (int x = 1; x + 1 < half.width(); ++x) {
            bool solid = true;
            for (int dy = -1; dy <= 1 && solid; ++dy)
                for (int dx = -1; dx <= 1 && solid; ++dx)
                    solid = differs[at(x + dx, y + dy)];
            if (solid)
                found += QRect(2 * x, 2 * y, 2, 2);
        }
    return found;
}

int Area(const QRegion& region) {
    int area = 0;
    for (const QRect& r : region)
        area += r.width() * r.height();
    return area;
}

enum class Kind { Numbers, Names, Photos };

std::string KindName(const testing::TestParamInfo<Kind>& info) {
    switch (info.param) {
    case Kind::Numbers:
        return "Numbers";
    case Kind::Names:
        return "Names";
    case Kind::Photos:
        return "Photos";
    }
    return "Unknown";
}

// One opening of a screen on its own file: the pictures the monitor showed.
class Showing {
public:
    Showing(Kind kind, const QString& pictures) {
        clock.setTime(QTime(20, 15, 37));
        fill(kind, pictures);
        switch (kind) {
        case Kind::Numbers:
            screen = std::make_unique<TFVantaNumero>(nullptr, context);
            break;
        case Kind::Names:
            screen = std::make_unique<TFVantaNome>(nullptr, context);
            break;
        case Kind::Photos:
            screen = std::make_unique<TFVantaFoto>(nullptr, context);
            break;
        }
    }

    // Opens the screen, windowed or full screen, draws twice and keeps what
    // the monitor showed of the design at every step.
    QList<QImage> run(bool fullScreen) {
        screen->show();
        screen->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(screen.get()));
        settle();
        design = screen->size();
        if (fullScreen) {
            QTest::keyClick(screen.get(), Qt::Key_F11);
            const QRect monitor = screen->screen()->geometry();
            EXPECT_TRUE(QTest::qWaitFor([&] { return screen->geometry() == monitor; }, 5000))
                << "the window manager did not make the window full screen";
            settle();
        }
        QList<QImage> seen{look()};
        pause.look = [&] { seen << look(); };
        for (int draw = 0; draw < 2; ++draw) {
            screen->Button5->click();
            settle();
            seen << look();
        }
        pause.look = nullptr;
        return seen;
    }

    QRect clockPlace() const { return screen->RxClock1->geometry(); }
    QSize design;

private:
    void fill(Kind kind, const QString& pictures) {
        const auto picture = [&](const QString& name, QSize size, QColor colour) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(colour);
            QPainter painter(&image);
            // No line thinner than a pixel of the screen: a picture decoded
            // anew for the monitor keeps it where the window's lost it.
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour.darker(180));
            painter.drawEllipse(QRect(QPoint(), size).adjusted(10, 10, -10, -10));
            const QString path = pictures + QLatin1Char('/') + name;
            image.save(path);
            return path;
        };
        // The partner logos: decoded again, sharper, once the screen fills
        // the monitor.
        SqlStatement& logos =
            db.connection().statement("INSERT INTO TbImage (Logo1, Logo2, Logo3) VALUES (?, ?, ?)");
        logos.bind(1, picture(QStringLiteral("logo1.png"), {400, 300}, Qt::yellow));
        logos.bind(2, picture(QStringLiteral("logo2.jpg"), {640, 480}, Qt::cyan));
        logos.bind(3, picture(QStringLiteral("logo3.png"), {300, 300}, Qt::magenta));
        while (logos.step()) {
        }
        logos.reset();
        for (int n = 1; n <= 40; ++n) {
            const QString key = QStringLiteral("k%1").arg(n, 3, 10, QLatin1Char('0'));
            switch (kind) {
            case Kind::Numbers:
                db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                                       "VALUES (%1, '%2', 1, 0)")
                            .arg(400 + n * 3)
                            .arg(key));
                break;
            case Kind::Names:
                db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                                       "VALUES ('Participante Número %1', '%2', 1, 1)")
                            .arg(n)
                            .arg(key));
                break;
            case Kind::Photos:
                if (n <= 16)
                    test::AddPhoto(db, {picture(QStringLiteral("%1.jpg").arg(n), {1200, 900},
                                                QColor::fromHsv(n * 22, 160, 230)),
                                        key});
                break;
            }
        }
    }

    // The window manager's moves, the exposures and the sharper pictures
    // decoded on worker threads all come through the event loop.
    static void settle() {
        for (int i = 0; i < 10; ++i)
            QTest::qWait(60);
    }

    // The design as the monitor shows it, brought back to the window's size.
    QImage look() const {
        if (!screen->isFullScreen())
            return OnMonitor(QRect(screen->mapToGlobal(QPoint()), screen->size()));
        const auto* mirror = screen->findChild<ScaledMirror*>();
        const QRectF drawn(mirror->offset(), QSizeF(design) * mirror->scale());
        const QImage whole = OnMonitor(screen->screen()->geometry());
        return whole.copy(drawn.toAlignedRect())
            .scaled(design, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }

    test::TempDatabase db;
    FakeClock clock;
    LookingPause pause;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeRandom random;
    AppContext context{db.connection(), {clock, pause, dialogs, desktop, random}};
    std::unique_ptr<DrawScreen> screen;
};

class OnTheMonitor : public testing::TestWithParam<Kind> {};

TEST_P(OnTheMonitor, FullScreenShowsTheWindowBeforeDuringAndAfterEachDraw) {
    ASSERT_EQ(QGuiApplication::platformName(), "xcb") << "needs a real X display";
    const QSize monitor = QGuiApplication::primaryScreen()->size();
    QTemporaryDir pictures;
    ASSERT_TRUE(pictures.isValid());

    Showing windowed(GetParam(), pictures.path());
    const QList<QImage> expected = windowed.run(false);
    Showing full(GetParam(), pictures.path());
    const QList<QImage> shown = full.run(true);

    ASSERT_EQ(shown.size(), expected.size()) << "the two runs painted different frames";
    ASSERT_GE(shown.size(), 10);
    const QRect clock = windowed.clockPlace();
    for (int i = 0; i < shown.size(); ++i) {
        const QRegion wrong = Mismatches(expected[i], shown[i], clock);
        // A stroke of a digit of the big label is a dozen such places wide.
        if (Area(wrong) > 64) {
            const QString stem = QStringLiteral("%1/realdisplay-%2x%3-%4-%5")
                                     .arg(QDir::tempPath())
                                     .arg(monitor.width())
                                     .arg(monitor.height())
                                     .arg(int(GetParam()))
                                     .arg(i);
            expected[i].save(stem + QStringLiteral("-window.png"));
            shown[i].save(stem + QStringLiteral("-full.png"));
            ADD_FAILURE() << "step " << i << " of " << shown.size() << " at " << monitor.width()
                          << "x" << monitor.height() << ": " << Area(wrong)
                          << " pixels differ, within " << wrong.boundingRect().x() << ","
                          << wrong.boundingRect().y() << " " << wrong.boundingRect().width() << "x"
                          << wrong.boundingRect().height() << "; pictures in " << stem.toStdString()
                          << "-*.png";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(DrawScreens, OnTheMonitor,
                         testing::Values(Kind::Numbers, Kind::Names, Kind::Photos), KindName);

} // namespace
} // namespace tiravo
