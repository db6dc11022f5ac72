// The draws as the presentation settings show them, on the draw screens
// driven through their controls: the window "Apresentação", the sounds tied
// to the frames, and the calm mode's frames.
#include "draws/Apresentacao.h"
#include "draws/VantaFoto.h"
#include "draws/VantaNumero.h"
#include "draws/model/PresentationSettings.h"
#include "store/Query.h"
#include "support/ModalDriver.h"
#include "support/OffscreenScreens.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/AudienceScreen.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace tiravo {
namespace {

// The operator's laptop and, to its right, two projectors.
const QRect kLaptop(0, 0, 1366, 768);
const QRect kLeftWall(1366, 0, 1920, 1080);
const QRect kRightWall(3286, 0, 1920, 1080);
[[maybe_unused]] const bool kScreens = test::UseOffscreenScreens({kLaptop, kLeftWall, kRightWall});

void AddNumbers(test::TempDatabase& db, int count) {
    for (int n = 1; n <= count; ++n)
        db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                               "VALUES (%1, 'k%2', 1, 0)")
                    .arg(n)
                    .arg(n, 3, 10, QLatin1Char('0')));
}

QStringList Items(const QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

class Presentation : public testing::Test {
protected:
    Presentation() { fake.clock.setTime(QTime(12, 0, 37)); }

    std::unique_ptr<TFVantaNumero> open() {
        return std::make_unique<TFVantaNumero>(nullptr, fake.context(db.connection()));
    }

    // The window "Apresentação" opened from the screen's winners menu, given
    // to `drive` once it runs.
    void openSettings(TFVantaNumero& screen, std::function<void(TFApresentacao&)> drive) {
        bool driven = false;
        test::OnNextModal([&](QDialog* dialog) {
            auto* window = qobject_cast<TFApresentacao*>(dialog);
            ASSERT_NE(window, nullptr);
            driven = true;
            drive(*window);
        });
        screen.Presentation->trigger();
        EXPECT_TRUE(driven);
    }

    test::TempDatabase db;
    TestServices fake;
};

TEST_F(Presentation, TheWindowComesLastInTheWinnersMenuAndStoresWhatItsControlsShow) {
    auto w = open();
    ASSERT_NE(w->Presentation, nullptr);
    EXPECT_EQ(w->Presentation->text(), "Apresentação...");
    EXPECT_EQ(w->WinnersMenu->actions().last(), w->Presentation);

    openSettings(*w, [](TFApresentacao& window) {
        EXPECT_EQ(window.windowTitle(), "Apresentação");
        EXPECT_FALSE(window.CheckSom->isChecked());
        EXPECT_FALSE(window.CheckCalmo->isChecked());
        EXPECT_EQ(Items(window.ComboMonitor),
                  QStringList({"Automático", "Screen1", "Screen2", "Screen3"}));
        EXPECT_EQ(window.ComboMonitor->currentIndex(), 0);
        // The arrows move among the controls as in every window; the list of
        // monitors keeps them for itself.
        EXPECT_EQ(QApplication::focusWidget(), window.CheckSom);
        QTest::keyClick(window.CheckSom, Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), window.CheckCalmo);
        QTest::keyClick(window.CheckCalmo, Qt::Key_Down);
        EXPECT_EQ(QApplication::focusWidget(), window.ComboMonitor);
        QTest::keyClick(window.ComboMonitor, Qt::Key_Down);
        EXPECT_EQ(window.ComboMonitor->currentText(), "Screen1");
        QTest::keyClick(window.ComboMonitor, Qt::Key_Up);
        EXPECT_EQ(window.ComboMonitor->currentIndex(), 0);
        QTest::mouseClick(window.CheckSom, Qt::LeftButton);
        window.ComboMonitor->setCurrentIndex(2);
        QTest::mouseClick(window.ButtonOk, Qt::LeftButton);
    });
    EXPECT_EQ(ReadPresentationSettings(db.connection()),
              PresentationSettings({.sound = true, .audienceMonitor = "Screen2"}));
    EXPECT_EQ(fake.sound.heard, QStringList({"ready"}));

    // Enter confirms from a check box; the window shows what the file holds.
    openSettings(*w, [](TFApresentacao& window) {
        EXPECT_TRUE(window.CheckSom->isChecked());
        EXPECT_EQ(window.ComboMonitor->currentText(), "Screen2");
        window.CheckCalmo->setFocus();
        QTest::keyClick(window.CheckCalmo, Qt::Key_Space);
        QTest::keyClick(window.CheckCalmo, Qt::Key_Return);
    });
    EXPECT_EQ(ReadPresentationSettings(db.connection()),
              PresentationSettings({.sound = true, .calm = true, .audienceMonitor = "Screen2"}));

    // Esc and "Cancelar" keep what the file holds, and record nothing.
    openSettings(*w, [](TFApresentacao& window) {
        QTest::mouseClick(window.CheckSom, Qt::LeftButton);
        QTest::keyClick(window.CheckSom, Qt::Key_Escape);
    });
    openSettings(*w, [](TFApresentacao& window) {
        QTest::mouseClick(window.CheckCalmo, Qt::LeftButton);
        window.ButtonCancelar->setFocus();
        QTest::keyClick(window.ButtonCancelar, Qt::Key_Return);
    });
    // "Ok" with nothing changed records nothing either.
    openSettings(
        *w, [](TFApresentacao& window) { QTest::mouseClick(window.ButtonOk, Qt::LeftButton); });
    EXPECT_EQ(ReadPresentationSettings(db.connection()),
              PresentationSettings({.sound = true, .calm = true, .audienceMonitor = "Screen2"}));
    Query record(db.connection(), {"SELECT count(*) FROM TbRegistro"});
    record.open();
    EXPECT_EQ(record.field(0).asInteger(), 2);
    EXPECT_TRUE(fake.dialogs.texts(DialogKind::Error).isEmpty());
}

// The projector chosen last time is unplugged now: the window still shows it
// chosen, and a change of the sound alone keeps it.
TEST_F(Presentation, AMonitorNotConnectedStaysChosen) {
    WritePresentationSettings(db.connection(), {.audienceMonitor = "HDMI-2"});
    auto w = open();
    openSettings(*w, [](TFApresentacao& window) {
        EXPECT_EQ(Items(window.ComboMonitor), QStringList({"Automático", "Screen1", "Screen2",
                                                           "Screen3", "HDMI-2 (desconectado)"}));
        EXPECT_EQ(window.ComboMonitor->currentIndex(), 4);
        QTest::mouseClick(window.CheckSom, Qt::LeftButton);
        QTest::keyClick(window.CheckSom, Qt::Key_Enter, Qt::KeypadModifier);
    });
    EXPECT_EQ(ReadPresentationSettings(db.connection()),
              PresentationSettings({.sound = true, .audienceMonitor = "HDMI-2"}));
}

// F11 puts the audience's screen on the monitor "Apresentação" names, read
// each time; "Automático" leaves the choice to the program.
TEST_F(Presentation, TheAudiencesScreenGoesToTheMonitorChosen) {
    auto w = open();
    w->show();
    w->move(100, 60);
    QApplication::setActiveWindow(w.get());
    QApplication::processEvents();
    const auto wallOfF11 = [&w] {
        QTest::keyClick(w.get(), Qt::Key_F11);
        QApplication::processEvents();
        const QRect wall = w->audienceScreen() ? w->audienceScreen()->geometry() : QRect();
        QTest::keyClick(w.get(), Qt::Key_F11);
        QApplication::processEvents();
        EXPECT_EQ(w->audienceScreen(), nullptr);
        return wall;
    };
    EXPECT_EQ(wallOfF11(), kLeftWall);
    WritePresentationSettings(db.connection(), {.audienceMonitor = "Screen3"});
    EXPECT_EQ(wallOfF11(), kRightWall);
    // A monitor that is not there: the program chooses.
    WritePresentationSettings(db.connection(), {.audienceMonitor = "HDMI-9"});
    EXPECT_EQ(wallOfF11(), kLeftWall);
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

// The frames and the cues in one line, in the order they came: "frame
// LabNome=05@70", "drum roll".
class Timeline {
public:
    explicit Timeline(TestServices& fake) {
        fake.sound.also = &lines;
        fake.pause.during = [this](const Frame& frame) {
            lines << QStringLiteral("frame %1=%2@%3")
                         .arg(frame.control, frame.shown)
                         .arg(frame.milliseconds);
        };
    }
    QStringList lines;
};

TEST_F(Presentation, TheDrumRollsWithTheFramesAndTheFanfareComesWithTheWinner) {
    AddNumbers(db, 11);
    WritePresentationSettings(db.connection(), {.sound = true});
    auto w = open();
    // Made ready as the screen opens, so that the first drum is not late.
    EXPECT_EQ(fake.sound.heard, QStringList({"ready"}));
    Timeline timeline(fake);
    QTest::mouseClick(w->Button5, Qt::LeftButton);

    // Four skip steps, twelve frames, the suspense and the winner, 05.
    QStringList expected{"ready", "drum roll"};
    for (const char* n : {"05", "06", "07", "08", "09", "10", "11", "11", "01", "02", "03", "04"})
        expected << QStringLiteral("frame LabNome=%1@70").arg(QLatin1String(n));
    expected << "drum roll stopped"
             << "frame Image1=:/pictures/teaser.png@1000"
             << "frame Image1=:/pictures/frame.png@0"
             << "fanfare"
             << "frame LabNome=05@100";
    EXPECT_EQ(timeline.lines, expected);

    // A draw from one entry has no frames to roll over.
    db.exec("UPDATE TbNumero SET Ok = 0 WHERE Numero <> 7");
    w->TbNumero.close();
    w->TbNumero.open();
    timeline.lines.clear();
    QTest::mouseClick(w->Button5, Qt::LeftButton);
    EXPECT_EQ(timeline.lines, QStringList({"ready", "frame Image1=:/pictures/teaser.png@2000",
                                           "frame Image1=:/pictures/frame.png@0", "fanfare",
                                           "frame LabNome=07@100"}));
}

TEST_F(Presentation, TheHiddenPicksDrumStopsAtItsTitle) {
    AddNumbers(db, 5);
    WritePresentationSettings(db.connection(), {.sound = true});
    auto w = open();
    Timeline timeline(fake);
    QTest::mouseClick(w->Button4, Qt::LeftButton);
    ASSERT_GE(timeline.lines.size(), 5);
    EXPECT_EQ(timeline.lines.mid(0, 2), QStringList({"ready", "drum roll"}));
    const qsizetype stopped = timeline.lines.indexOf("drum roll stopped");
    ASSERT_GT(stopped, 2);
    EXPECT_EQ(timeline.lines.count("drum roll stopped"), 1);
    // The title follows at once; the entry taken out comes with the fanfare.
    EXPECT_FALSE(timeline.lines.at(stopped + 1).startsWith("frame LabNome=0"));
    EXPECT_EQ(timeline.lines.mid(timeline.lines.size() - 2, 1), QStringList({"fanfare"}));
}

TEST_F(Presentation, NothingIsHeardWhileTheSoundIsOff) {
    AddNumbers(db, 11);
    WritePresentationSettings(db.connection(), {.calm = true});
    auto w = open();
    QTest::mouseClick(w->Button5, Qt::LeftButton);
    QTest::mouseClick(w->Button4, Qt::LeftButton);
    EXPECT_EQ(fake.sound.heard, QStringList());
    EXPECT_FALSE(fake.pause.frames().isEmpty());
}

// Two draws over `numbers` on a file of its own, calm or not: the frames the
// first painted, the winners they stored and their record's draw rows.
struct DrawSeen {
    QList<Frame> frames;
    QStringList pool;
    QStringList record;
};

DrawSeen DrawTwice(int numbers, bool calm) {
    test::TempDatabase db;
    AddNumbers(db, numbers);
    if (calm)
        WritePresentationSettings(db.connection(), {.calm = true});
    TestServices fake;
    fake.clock.setTime(QTime(12, 0, 37));
    fake.random.script({3, 14, 15, 9, 2, 6, 5});
    TFVantaNumero w(nullptr, fake.context(db.connection()));
    DrawSeen seen;
    QTest::mouseClick(w.Button5, Qt::LeftButton);
    seen.frames = fake.pause.frames();
    QTest::mouseClick(w.Button5, Qt::LeftButton);
    for (const char* column : {"Numero", "Ordem", "Ok", "Ativo", "Sorte"})
        seen.pool << test::ColumnOf(db.connection(), QLatin1String(column)).join(',');
    Query record(db.connection(),
                 {"SELECT Acao, Item, Entrada, Sorte, Disponiveis, Impressao FROM TbRegistro "
                  "WHERE Acao = 'sorteio' ORDER BY Sequencia"});
    record.open();
    for (record.first(); !record.eof(); record.next()) {
        QStringList fields;
        for (std::size_t i = 0; i < record.columns().size(); ++i)
            fields << record.field(i).asString();
        seen.record << fields.join('|');
    }
    return seen;
}

// The most changes of the stage in any one second of a draw, from its first
// frame to the winner, the time counted by the frames' own lengths. Controls
// painted at one moment (the plain frame and the winner over it) are one
// change.
int MostChangesInOneSecond(const QList<Frame>& frames) {
    std::vector<int> changes;
    std::map<QString, QString> shown;
    int at = 0;
    for (const Frame& frame : frames) {
        if (!frame.control.isEmpty() && shown[frame.control] != frame.shown) {
            shown[frame.control] = frame.shown;
            if (changes.empty() || changes.back() != at)
                changes.push_back(at);
        }
        at += frame.milliseconds;
    }
    int most = 0;
    for (std::size_t first = 0; first < changes.size(); ++first) {
        std::size_t last = first;
        while (last < changes.size() && changes[last] < changes[first] + 1000)
            ++last;
        most = std::max(most, int(last - first));
    }
    return most;
}

TEST_F(Presentation, TheCalmModeChangesTheStageAtMostThreeTimesASecondAndDrawsTheSame) {
    const DrawSeen normal = DrawTwice(60, false);
    const DrawSeen calm = DrawTwice(60, true);
    ASSERT_GT(MostChangesInOneSecond(normal.frames), 3);
    EXPECT_LE(MostChangesInOneSecond(calm.frames), 3);
    EXPECT_GE(MostChangesInOneSecond(calm.frames), 2);

    // Every frame is still there for its time: the same frames, the same
    // suspense and the same winners, stored alike.
    ASSERT_EQ(calm.frames.size(), normal.frames.size());
    for (qsizetype i = 0; i < normal.frames.size(); ++i) {
        EXPECT_EQ(calm.frames[i].milliseconds, normal.frames[i].milliseconds) << i;
        if (normal.frames[i].control != "LabNome") {
            EXPECT_EQ(calm.frames[i].shown, normal.frames[i].shown) << i;
        }
    }
    EXPECT_EQ(calm.frames.last().shown, normal.frames.last().shown);
    EXPECT_EQ(calm.pool, normal.pool);
    ASSERT_EQ(normal.record.size(), 2);
    EXPECT_EQ(calm.record, normal.record);
    // What the calm mode shows is a frame of the normal draw, never another.
    for (qsizetype i = 0; i < calm.frames.size(); ++i)
        if (!calm.frames[i].control.isEmpty()) {
            EXPECT_EQ(calm.frames[i].shown, normal.frames[i].shown) << i;
        }
}

// The photo screen reads its pictures ahead: in calm mode the frames that
// only wait keep the photo shown, and the winner is the one of the normal
// draw, revealed as always.
TEST_F(Presentation, TheCalmPhotoDrawHoldsEachPhotoAndRevealsTheSameWinner) {
    QTemporaryDir photos;
    QStringList paths;
    for (int i = 0; i < 4; ++i) {
        const QString path = photos.filePath(QStringLiteral("%1.jpg").arg(i));
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 90, 200, 220));
        ASSERT_TRUE(image.save(path, "JPG"));
        test::AddPhoto(db, {path, QStringLiteral("k%1").arg(i)});
        paths << path;
    }
    WritePresentationSettings(db.connection(), {.calm = true});
    fake.clock.setTime(QTime(12, 0, 9)); // nine steps: twelve frames, the fourth photo wins
    TFVantaFoto w(nullptr, fake.context(db.connection()));
    QTest::mouseClick(w.Button5, Qt::LeftButton);

    // The normal draw shows b c d d a b c d d a b c; the calm one every fifth,
    // but not the eleventh, which would stand for less than 334 ms.
    const QString b = paths[1], d = paths[3];
    QStringList expected;
    for (int frame = 0; frame < 12; ++frame)
        expected << (frame % 5 == 0 && frame < 10 ? QStringLiteral("Image1=%1@70").arg(b)
                                                  : QStringLiteral("=@70"));
    expected << "Image1=:/pictures/teaser-photo.png@1500" << QStringLiteral("Image1=%1@100").arg(d);
    EXPECT_EQ(fake.pause.summary(), expected);
    EXPECT_EQ(w.Image1->pictureName(), d);
    EXPECT_EQ(test::ColumnOf(db.connection(), "Ok", "TbFoto"),
              QStringList({"True", "True", "True", "False"}));
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
}

} // namespace
} // namespace tiravo
