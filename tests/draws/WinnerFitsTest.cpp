// The big label of the number and name screens shows every entry whole: the
// audience must never read a number that did not win.
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "support/TempDatabase.h"
#include "support/TestServices.h"
#include "widgets/FittingLabel.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

// Where the label's text put its ink: the pixels far from the label's own
// background and from the picture behind it do not matter, the label is
// rendered alone on white.
QRect InkOf(QLabel* label) {
    QImage image(label->size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    label->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    QRect ink;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

struct Entry {
    const char* text;
    bool fullSize; // written at the screen's own font size
};

void ExpectWhole(QLabel* label, const Entry& entry, int fullPixels) {
    label->setText(QString::fromUtf8(entry.text));
    const QRect ink = InkOf(label);
    ASSERT_FALSE(ink.isEmpty()) << entry.text;
    // Cut text runs to the edges of the label; whole text keeps clear of them.
    EXPECT_GT(ink.left(), 0) << entry.text;
    EXPECT_LT(ink.right(), label->width() - 1) << entry.text;
    EXPECT_GT(ink.top(), 0) << entry.text;
    EXPECT_LT(ink.bottom(), label->height() - 1) << entry.text;
    const int shown = static_cast<FittingLabel*>(label)->shownFont().pixelSize();
    if (entry.fullSize)
        EXPECT_EQ(shown, fullPixels) << entry.text;
    else
        EXPECT_LT(shown, fullPixels) << entry.text;
}

TEST(WinnerFits, NumbersUpToSevenDigitsAreShownWholeAndShortOnesAtFullSize) {
    test::TempDatabase db;
    TestServices fake;
    TFVantaNumero w(nullptr, fake.context(db.connection()));
    for (const Entry& entry :
         {Entry{"7", true}, Entry{"407", true}, Entry{"73393", false}, Entry{"539726", false},
          Entry{"1234567", false}, Entry{"9999999", false}})
        ExpectWhole(w.LabNome, entry, 200);
}

TEST(WinnerFits, NamesOfFortyCharactersAreShownWholeWithOrWithoutSpaces) {
    test::TempDatabase db;
    TestServices fake;
    TFVantaNome w(nullptr, fake.context(db.connection()));
    for (const Entry& entry :
         {Entry{"Ana", true}, Entry{"Maria Aparecida dos Santos Conceição", true},
          Entry{"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW", false},
          Entry{"Mariaaparecidadossantosconceicaodasilva", false}})
        ExpectWhole(w.LabNome, entry, 67);
}

TEST(WinnerFits, ANameIsShownAsTypedNeverAsMarkup) {
    test::TempDatabase db;
    TestServices fake;
    TFVantaNome w(nullptr, fake.context(db.connection()));
    w.LabNome->setText(QStringLiteral("<b>Ana</b>"));
    EXPECT_EQ(w.LabNome->textFormat(), Qt::PlainText);
}

} // namespace
} // namespace tiravo
