#include "platform/ui/FileFilter.h"
#include "platform/ui/RepaintPause.h"
#include "support/TestServices.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace tiravo {
namespace {

class CountingWidget : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

// Time that passes only when the pause sleeps or the test says so; every
// sleep is written down in milliseconds.
class SteppedTime final : public RepaintPause::Time {
public:
    qint64 nanoseconds() override { return now_; }
    void sleep(qint64 nanoseconds) override {
        sleeps << nanoseconds / 1'000'000;
        now_ += nanoseconds;
    }
    void pass(int milliseconds) { now_ += qint64(milliseconds) * 1'000'000; }
    QList<qint64> sleeps;

private:
    qint64 now_ = 5'000'000'000;
};

TEST(RepaintPause, PaintsTheControlBeforeWaitingWithoutTheEventLoop) {
    CountingWidget widget;
    widget.resize(50, 50);
    widget.show();
    QCoreApplication::processEvents();
    const int before = widget.paints;

    SteppedTime time;
    RepaintPause pause(time);
    pause.showFor(&widget, 60);
    EXPECT_EQ(widget.paints, before + 1);
    EXPECT_EQ(time.sleeps, QList<qint64>({60}));

    pause.showFor(nullptr, 0); // a bare wait
    EXPECT_EQ(time.sleeps, QList<qint64>({60}));

    // The real clock and sleep: the frame is held at least its time.
    RepaintPause real;
    QElapsedTimer timer;
    timer.start();
    real.showFor(&widget, 60);
    EXPECT_GE(timer.elapsed(), 60);
}

TEST(RepaintPause, AFrameThatFollowsAnotherCountsTheWorkOfPuttingItUp) {
    CountingWidget widget;
    widget.resize(50, 50);
    widget.show();
    QCoreApplication::processEvents();

    SteppedTime time;
    RepaintPause pause(time);
    pause.showFor(&widget, 10);
    time.pass(60); // the work of the next frame, before it shows
    pause.showFor(&widget, 200);
    EXPECT_EQ(time.sleeps.last(), 140);

    // A frame whose work took longer than itself is late, but still seen for
    // half its time.
    time.pass(300);
    pause.showFor(&widget, 200);
    EXPECT_EQ(time.sleeps.last(), 100);

    // Once the event loop has run, the frames that went before count no more.
    QCoreApplication::processEvents();
    time.pass(60);
    pause.showFor(&widget, 200);
    EXPECT_EQ(time.sleeps.last(), 200);
}

TEST(FakePause, RecordsWhatEachControlShowedAndForHowLong) {
    QLabel label;
    label.setObjectName(QStringLiteral("LabNome"));
    QWidget picture;
    picture.setObjectName(QStringLiteral("Image1"));

    FakePause pause;
    label.setText(QStringLiteral("07"));
    pause.showFor(&label, 70);
    picture.setProperty("shownPicture", QStringLiteral("teaser"));
    pause.showFor(&picture, 1000);
    label.setText(QStringLiteral("12"));
    pause.showFor(&label, 100);

    EXPECT_EQ(pause.summary(),
              (QStringList{QStringLiteral("LabNome=07@70"), QStringLiteral("Image1=teaser@1000"),
                           QStringLiteral("LabNome=12@100")}));
    EXPECT_EQ(pause.totalMilliseconds(), 1170);
    EXPECT_EQ(pause.frames().at(1).widget, &picture);
}

TEST(FakeDialogs, AnswersInScriptOrderThenChangesNothing) {
    FakeDialogs dialogs;
    dialogs.answerYes();
    dialogs.answerPath(QStringLiteral("/tmp/nomes.txt"));
    dialogs.answerNo();

    EXPECT_TRUE(dialogs.confirm(QStringLiteral("Tem certeza?")));
    EXPECT_EQ(dialogs.openFile({QStringLiteral("Selecione"), QStringLiteral("Texto|*.txt"),
                                QStringLiteral("*.txt"), QStringLiteral("/tmp")}),
              QStringLiteral("/tmp/nomes.txt"));
    EXPECT_FALSE(dialogs.confirmDeleteRecord());
    // The script is spent: every question now gets the harmless answer.
    EXPECT_FALSE(dialogs.confirm(QStringLiteral("De novo?")));
    EXPECT_FALSE(dialogs.confirmDeleteRecord());
    EXPECT_EQ(dialogs.chooseFolder(QStringLiteral("Pasta"), QStringLiteral("/")), std::nullopt);
    EXPECT_EQ(dialogs.unusedAnswers(), 0u);
}

TEST(FakeDialogs, RecordsEachBoxAsTheOperatorWouldSeeIt) {
    FakeDialogs dialogs;
    dialogs.notice(QStringLiteral("Qual o nome?"));
    dialogs.information(QStringLiteral("Tarefa Concluida!"));
    dialogs.error(QStringLiteral("Cannot open file"));
    dialogs.confirmDeleteRecord();

    const QList<AskedDialog>& asked = dialogs.asked();
    ASSERT_EQ(asked.size(), 4);
    EXPECT_EQ(asked[0].caption, QStringLiteral("Tiravo"));
    EXPECT_EQ(asked[1].caption, QStringLiteral("Information"));
    EXPECT_EQ(asked[2].caption, QStringLiteral("Tiravo"));
    EXPECT_EQ(asked[2].text, QStringLiteral("Cannot open file."));
    EXPECT_EQ(asked[3].caption, QStringLiteral("Confirm"));
    EXPECT_EQ(asked[3].text, QStringLiteral("Delete record?"));
    EXPECT_EQ(dialogs.texts(DialogKind::Information),
              QStringList{QStringLiteral("Tarefa Concluida!")});
}

TEST(FakeDialogs, AnAnswerOfTheWrongKindFailsTheTest) {
    FakeDialogs dialogs;
    dialogs.answerPath(QStringLiteral("/tmp/a.txt"));
    EXPECT_NONFATAL_FAILURE(dialogs.confirm(QStringLiteral("Sim?")), "scripted answer is a path");
    dialogs.answerYes();
    EXPECT_NONFATAL_FAILURE(dialogs.openFile({}), "scripted answer is Yes or No");
}

TEST(FakeRandom, RepeatsItsScriptAndTracesReseeds) {
    FakeRandom random;
    random.script({3, 25});
    random.reseed();
    const std::vector<int> drawn = {random.letterIndex(), random.letterIndex(),
                                    random.letterIndex()};
    EXPECT_EQ(drawn, (std::vector<int>{3, 25, 3}));
    EXPECT_EQ(random.trace(), QStringLiteral("riii"));
    EXPECT_NONFATAL_FAILURE(random.script({26}), "outside 0 to 25");
}

TEST(FileDialogFilters, TurnsTheProgramsFilterTextIntoChoices) {
    EXPECT_EQ(fileDialogFilters(QStringLiteral("Arquivo Texto|*.txt")),
              QStringList{QStringLiteral("Arquivo Texto (*.txt)")});
    EXPECT_EQ(fileDialogFilters(
                  QStringLiteral("GIF, JPG, BMP|*.gif;*.jpg;*.bmp|GIF|*.gif|JPG|*.jpg|BMP|*.bmp")),
              (QStringList{QStringLiteral("GIF, JPG, BMP (*.gif *.jpg *.bmp)"),
                           QStringLiteral("GIF (*.gif)"), QStringLiteral("JPG (*.jpg)"),
                           QStringLiteral("BMP (*.bmp)")}));
    EXPECT_EQ(fileDialogFilters(QStringLiteral("Fotos|*.jpg; *.gif;")),
              QStringList{QStringLiteral("Fotos (*.jpg *.gif)")});
    EXPECT_TRUE(fileDialogFilters(QStringLiteral("Sem padrões")).isEmpty());
    EXPECT_TRUE(fileDialogFilters(QString()).isEmpty());
}

// A name typed without an extension gets that of the kind chosen.
TEST(FileDialogFilters, TheChoiceGivesTheExtensionOfItsFirstPattern) {
    for (const QString& choice :
         fileDialogFilters(QStringLiteral("Pasta de trabalho do Excel|*.xlsx|Planilha CSV|*.csv")))
        EXPECT_EQ(FirstExtensionOf(choice), choice.contains("Excel") ? "xlsx" : "csv");
    EXPECT_EQ(FirstExtensionOf(QStringLiteral("Planilha (*.csv *.xlsx)")), "csv");
    EXPECT_EQ(FirstExtensionOf(QStringLiteral("Todos (*)")), "");
    EXPECT_EQ(FirstExtensionOf(QStringLiteral("Partes (*.t*)")), "");
}

} // namespace
} // namespace tiravo
