// Draws from a pool with a prize plan, on the draw screens: the place and the
// prize on the stage from the suspense on, the prize in a winner's tooltip,
// the question once every place has a winner; and nothing of it without a plan.
#include "draws/VantaFoto.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "draws/model/PoolDescription.h"
#include "draws/model/PrizePlan.h"
#include "support/PoolRows.h"
#include "support/TestServices.h"
#include "widgets/DataGrid.h"
#include "widgets/PictureBox.h"

#include <QHelpEvent>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

QLabel* PrizeLabel(QWidget& screen) {
    return screen.findChild<QLabel*>(QStringLiteral("LabelPremio"));
}

// The prize label's text at each frame of the draws, "-" while it is hidden.
QStringList LabelAtEachFrame(QWidget& screen, TestServices& fake,
                             const std::function<void()>& draw) {
    QStringList seen;
    fake.pause.during = [&](const Frame& frame) {
        QLabel* label = PrizeLabel(screen);
        seen << frame.control + "=" +
                    (label && label->isVisible() ? label->text() : QStringLiteral("-"));
    };
    draw();
    fake.pause.during = nullptr;
    return seen;
}

// The tip over a row of the grid; empty when the list gives none.
QString TipOver(DataGrid* grid, int row) {
    // A tip hides only after a delay; a marker tells whether a new one came.
    const QPoint at = grid->visualRect(grid->model()->index(row, 0)).center();
    QToolTip::showText(grid->viewport()->mapToGlobal(at), QStringLiteral("-"), grid);
    QHelpEvent tip(QEvent::ToolTip, at, grid->viewport()->mapToGlobal(at));
    QCoreApplication::sendEvent(grid->viewport(), &tip);
    const QString text = QToolTip::text();
    QToolTip::hideText();
    return text == QStringLiteral("-") ? QString() : text;
}

class PrizeDraw : public testing::Test {
protected:
    PrizeDraw() { fake.clock.setTime(QTime(12, 0, 37)); }

    test::TempDatabase db;
    TestServices fake;
};

TEST_F(PrizeDraw, TheStageNamesThePlaceAndPrizeFromTheSuspenseOnAndTheTipKeepsIt) {
    // Twelve numbers: the draw flashes frames before its suspense.
    for (int n = 1; n <= 12; ++n)
        db.exec(QStringLiteral("INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) "
                               "VALUES (%1, 'k%2', 1, 0)")
                    .arg(n)
                    .arg(n, 3, 10, QLatin1Char('0')));
    AddPrize(db.connection(), NumberPool(), "Bicicleta", 2);
    AddPrize(db.connection(), NumberPool(), "Televisor", 1);
    TFVantaNumero w(nullptr, fake.context(db.connection()));
    w.show();

    const QStringList first = LabelAtEachFrame(w, fake, [&] { w.Button5Click(); });
    // Hidden while the numbers flash, there from the teaser to the winner.
    const qsizetype teaser = first.indexOf(QRegularExpression("^Image1=.*"));
    ASSERT_GT(teaser, 0) << first.join(' ').toStdString();
    EXPECT_EQ(first.mid(0, teaser), QStringList(teaser, "LabNome=-"));
    EXPECT_EQ(first.mid(teaser),
              QStringList({"Image1=1º prêmio — Bicicleta", "Image1=1º prêmio — Bicicleta",
                           "LabNome=1º prêmio — Bicicleta"}))
        << first.join(' ').toStdString();
    w.Button5Click();
    EXPECT_EQ(PrizeLabel(w)->text(), "2º prêmio — Bicicleta");
    // Another copy changes the plan: the next draw names the prize it now gives.
    ChangePrize(*db.openSecond(), NumberPool(),
                ReadPrizePlan(db.connection(), NumberPool()).prizes[1].cod, "Televisor 50\"", 1);
    w.Button5Click();
    EXPECT_EQ(PrizeLabel(w)->text(), "3º prêmio — Televisor 50\"");
    EXPECT_TRUE(PrizeLabel(w)->isVisible());
    EXPECT_EQ(PrizeLabel(w)->parentWidget(), &w); // mirrored full screen with the form

    // The winners list, highest place first, tells each winner's prize.
    EXPECT_EQ(TipOver(w.DBGrid1, 0), "3º prêmio — Televisor 50\"");
    EXPECT_EQ(TipOver(w.DBGrid1, 2), "1º prêmio — Bicicleta");

    // Every place has a winner: No draws nothing, Yes draws beyond the plan.
    fake.dialogs.answerNo();
    const QStringList none = LabelAtEachFrame(w, fake, [&] { w.Button5Click(); });
    EXPECT_TRUE(none.isEmpty());
    EXPECT_EQ(test::ColumnOf(db.connection(), "Sorte").count(""), 9);
    fake.dialogs.answerYes();
    w.Button5Click();
    EXPECT_EQ(fake.dialogs.texts(DialogKind::Confirmation),
              QStringList({"Todos os prêmios do plano já foram sorteados. Sortear mesmo assim?",
                           "Todos os prêmios do plano já foram sorteados. Sortear mesmo assim?"}));
    EXPECT_EQ(test::ColumnOf(db.connection(), "Sorte").count(""), 8);
    EXPECT_FALSE(PrizeLabel(w)->isVisible()); // the 4th place has no prize
    EXPECT_EQ(TipOver(w.DBGrid1, 0), "");
}

TEST_F(PrizeDraw, WithoutAPlanTheScreensShowNothingNewAndAskNothing) {
    for (int n = 1; n <= 4; ++n)
        db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                               "VALUES ('Nome %1', 'k%1', 1, 1)")
                    .arg(n));
    TFVantaNome w(nullptr, fake.context(db.connection()));
    w.show();
    for (int i = 0; i < 4; ++i)
        for (const QString& frame : LabelAtEachFrame(w, fake, [&] { w.Button5Click(); }))
            EXPECT_TRUE(frame.endsWith("=-")) << frame.toStdString();
    EXPECT_EQ(PrizeLabel(w), nullptr);
    EXPECT_TRUE(fake.dialogs.asked().isEmpty());
    EXPECT_EQ(TipOver(w.DBGrid1, 0), "");
}

// The photo screen's winners are pictures: each tells the prize of its photo.
TEST_F(PrizeDraw, EachPictureOfThePhotoColumnTellsItsWinnersPrize) {
    QTemporaryDir photos;
    for (int i = 0; i < 3; ++i) {
        const QString path = photos.filePath(QStringLiteral("%1.jpg").arg(i));
        QImage image(64, 48, QImage::Format_RGB32);
        image.fill(QColor::fromHsv(i * 100, 200, 220));
        ASSERT_TRUE(image.save(path, "JPG"));
        test::AddPhoto(db, {path, QStringLiteral("k%1").arg(i)});
    }
    AddPrize(db.connection(), PhotoPool(), "Carro", 1);
    AddPrize(db.connection(), PhotoPool(), "Moto", 1);
    TFVantaFoto w(nullptr, fake.context(db.connection()));
    w.show();
    w.Button5Click();
    EXPECT_EQ(PrizeLabel(w)->text(), "1º prêmio — Carro");
    w.Button5Click();
    EXPECT_EQ(PrizeLabel(w)->text(), "2º prêmio — Moto");
    const auto tipOver = [](QWidget* picture) {
        const QPoint at = picture->rect().center();
        QToolTip::showText(picture->mapToGlobal(at), QStringLiteral("-"), picture);
        QHelpEvent tip(QEvent::ToolTip, at, picture->mapToGlobal(at));
        QCoreApplication::sendEvent(picture, &tip);
        const QString text = QToolTip::text();
        QToolTip::hideText();
        return text == QStringLiteral("-") ? QString() : text;
    };
    EXPECT_EQ(tipOver(w.Img1), "2º prêmio — Moto");
    EXPECT_EQ(tipOver(w.Img2), "1º prêmio — Carro");
    EXPECT_EQ(tipOver(w.Img3), ""); // no winner there yet
}

} // namespace
} // namespace tiravo
