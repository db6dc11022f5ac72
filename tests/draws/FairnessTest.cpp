// Whether every available entry has the same chance to win. The clock is
// fixed, so the step count is the same in every draw: whatever makes the
// winner random must come from the order keys. A draw that could be foretold
// from the clock and the order in which the numbers were added (keys never
// renewed, or the same row under the cursor at the start) picks the same
// number again and again; one that lets a winner keep the key that made it win
// picks it again far too often after a release; and one that keeps the order
// of the pool between draws lets anybody who watched the flashing run name
// the next winner.
#include "draws/IncluirNumero.h"
#include "draws/VantaFoto.h"
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "draws/model/OrderKey.h"
#include "platform/Random.h"
#include "support/FakePause.h"
#include "support/PoolRows.h"
#include "support/TempDatabase.h"
#include "support/TestServices.h"
#include "widgets/CounterPanel.h"
#include "widgets/PictureBox.h"

#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tiravo {
namespace {

// The critical values of the chi-square distribution at a significance of
// 1e-4, so that a fair program fails once in ten thousand runs.
double ChiSquareCritical(int degreesOfFreedom) {
    switch (degreesOfFreedom) {
    case 1:
        return 15.14;
    case 2:
        return 18.42;
    case 4:
        return 23.51;
    case 5:
        return 25.74;
    case 9:
        return 33.72;
    case 10:
        return 35.56;
    case 12:
        return 38.11;
    case 32:
        return 70.57;
    default:
        ADD_FAILURE() << "no critical value for " << degreesOfFreedom;
        return 0;
    }
}

double ChiSquare(const std::vector<int>& observed, const std::vector<double>& expected) {
    double sum = 0;
    for (std::size_t i = 0; i < observed.size(); ++i) {
        const double d = observed[i] - expected[i];
        sum += d * d / expected[i];
    }
    return sum;
}

// A draw screen as the test drives it. Entries are the numbers 1 to n, names
// written as those numbers, or photos named after them, so a winner reads
// back as its number.
class ScreenUnderTest {
public:
    virtual ~ScreenUnderTest() = default;
    virtual QPushButton* drawButton() = 0;
    virtual QPushButton* releaseButton() = 0;
    virtual int winner() = 0;
    // The control a frame shows the entry on, and the entry's number.
    virtual QString entryControl() = 0;
    virtual int numberOf(const QString& shown) = 0;
    virtual int available() = 0;
};

template <class Screen> class LabelScreen final : public ScreenUnderTest {
public:
    LabelScreen(Connection& connection, Services services)
        : context_(connection, services), screen_(nullptr, context_) {}
    QPushButton* drawButton() override { return screen_.Button5; }
    QPushButton* releaseButton() override { return screen_.Button3; }
    int winner() override { return screen_.LabNome->text().toInt(); }
    QString entryControl() override { return QStringLiteral("LabNome"); }
    int numberOf(const QString& shown) override { return shown.toInt(); }
    int available() override { return screen_.Panel1->text().toInt(); }

private:
    AppContext context_;
    Screen screen_;
};

class PhotoScreen final : public ScreenUnderTest {
public:
    PhotoScreen(Connection& connection, Services services)
        : context_(connection, services), screen_(nullptr, context_) {}
    QPushButton* drawButton() override { return screen_.Button5; }
    QPushButton* releaseButton() override { return screen_.Button3; }
    int winner() override { return numberOf(screen_.Image1->pictureName()); }
    QString entryControl() override { return QStringLiteral("Image1"); }
    int numberOf(const QString& shown) override { return QFileInfo(shown).baseName().toInt(); }
    int available() override { return screen_.Panel1->text().toInt(); }

private:
    AppContext context_;
    TFVantaFoto screen_;
};

enum class Pool { Numbers, Names, Photos };

struct FairnessCase {
    Pool pool;
    int size;
    int cyclesPerEntry;
    int frameMilliseconds; // the run's frames, told apart from the reveal
};

void PrintTo(const FairnessCase& c, std::ostream* out) {
    *out << (c.pool == Pool::Numbers ? "numbers"
             : c.pool == Pool::Names ? "names"
                                     : "photos")
         << c.size;
}

// The entries as an operator adds them: a range of numbers through the
// editor; names, and photos of a folder, one by one, each with a key after
// fresh entropy.
std::unique_ptr<ScreenUnderTest> Fill(const FairnessCase& c, test::TempDatabase& db,
                                      Services services) {
    if (c.pool == Pool::Photos) {
        for (int n = 1; n <= c.size; ++n) {
            const QString path = QStringLiteral("%1/%2.jpg").arg(db.folder()).arg(n);
            QImage photo(16, 12, QImage::Format_RGB32);
            photo.fill(QColor::fromHsv(n * 360 / (c.size + 1), 200, 200));
            EXPECT_TRUE(photo.save(path, "JPG"));
            test::AddPhoto(db, {path, NewReseededOrderKey(services.random)});
        }
        return std::make_unique<PhotoScreen>(db.connection(), services);
    }
    if (c.pool == Pool::Numbers) {
        AppContext context(db.connection(), services);
        TFIncluirNumero editor(nullptr, context);
        editor.RxSpinEdit1->setValue(1);
        editor.RxSpinEdit2->setValue(c.size);
        QTest::mouseClick(editor.Button1, Qt::LeftButton);
        return std::make_unique<LabelScreen<TFVantaNumero>>(db.connection(), services);
    }
    for (int n = 1; n <= c.size; ++n)
        db.exec(QStringLiteral("INSERT INTO TbNome (Nome, Ordem, Ok, Ativo) "
                               "VALUES ('%1', '%2', 1, 1)")
                    .arg(n)
                    .arg(NewReseededOrderKey(services.random)));
    return std::make_unique<LabelScreen<TFVantaNome>>(db.connection(), services);
}

class Fairness : public testing::TestWithParam<FairnessCase> {};

TEST_P(Fairness, EveryEntryWinsAsOftenWithTheClockStandingStill) {
    const FairnessCase& c = GetParam();
    const int poolSize = c.size;
    test::TempDatabase db;
    TestServices fake;
    SystemRandom random;
    const Services services{fake.clock, fake.pause, fake.dialogs, fake.desktop, random};
    fake.clock.setTime(QTime(12, 0, 1));
    const std::unique_ptr<ScreenUnderTest> w = Fill(c, db, services);

    std::vector<int> wins(static_cast<std::size_t>(poolSize), 0);
    auto draw = [&] {
        fake.pause.clear();
        QTest::mouseClick(w->drawButton(), Qt::LeftButton);
        const int winner = w->winner();
        EXPECT_TRUE(winner >= 1 && winner <= poolSize) << winner;
        ++wins[static_cast<std::size_t>(std::clamp(winner, 1, poolSize) - 1)];
        return winner;
    };
    // The entries a draw flashed, each at its first frame: the order of the
    // pool as an audience that watched the run saw it.
    auto flashedOrder = [&] {
        QList<int> order;
        for (const Frame& frame : fake.pause.frames())
            if (frame.control == w->entryControl() && frame.milliseconds == c.frameMilliseconds &&
                !order.contains(w->numberOf(frame.shown)))
                order << w->numberOf(frame.shown);
        return order;
    };

    // Two draws per cycle, then every entry goes back: the second draw
    // stands on the reshuffle, the first of the next cycle on the release.
    const int cycles = c.cyclesPerEntry * poolSize;
    int repeats = 0;
    int previous = 0;
    // Where the second winner stood in the order the first draw flashed.
    std::vector<int> placesSeen(static_cast<std::size_t>(poolSize), 0);
    for (int cycle = 0; cycle < cycles; ++cycle) {
        const int first = draw();
        const QList<int> seen = flashedOrder();
        const int second = draw();
        repeats += first == previous ? 1 : 0;
        previous = first;
        if (seen.size() == poolSize)
            ++placesSeen[static_cast<std::size_t>(seen.indexOf(second))];
        fake.dialogs.answerYes();
        QTest::mouseClick(w->releaseButton(), Qt::LeftButton);
        ASSERT_EQ(w->available(), poolSize);
        fake.dialogs.clear();
    }

    const int draws = 2 * cycles;
    const std::vector<double> even(wins.size(), static_cast<double>(draws) / poolSize);
    EXPECT_LT(ChiSquare(wins, even), ChiSquareCritical(poolSize - 1))
        << testing::PrintToString(wins);

    // A winner of one cycle wins the first draw of the next as often as
    // chance gives. (Overlapping pairs, but their repeat flags are pairwise
    // independent, so the count has the binomial's variance.)
    const double pairs = cycles - 1;
    const double p = 1.0 / poolSize;
    EXPECT_LT(ChiSquare({repeats, static_cast<int>(pairs) - repeats}, {pairs * p, pairs * (1 - p)}),
              ChiSquareCritical(1))
        << repeats << " repeats in " << pairs << " cycles";

    // The frames tell nothing about the next winner: it may stand at any
    // place of the order they showed but the first, which is the first
    // winner's (twelve frames over eleven numbers end where they began).
    if (c.pool == Pool::Numbers && poolSize > 10) {
        EXPECT_EQ(placesSeen[0], 0);
        const std::vector<int> places(placesSeen.begin() + 1, placesSeen.end());
        const std::vector<double> evenPlaces(places.size(),
                                             static_cast<double>(cycles) / (poolSize - 1));
        EXPECT_LT(ChiSquare(places, evenPlaces), ChiSquareCritical(poolSize - 2))
            << testing::PrintToString(places);
    }
}

// Numbers: one pool of each path (no run, the step count again, the frames).
// Names: a roll of 32 frames over two names, a few, and more than it shows.
// Photos: a flick of 12 frames over two photos, a few, and more than it shows.
INSTANTIATE_TEST_SUITE_P(
    Pools, Fairness,
    testing::Values(FairnessCase{Pool::Numbers, 3, 50, 70}, FairnessCase{Pool::Numbers, 6, 50, 70},
                    FairnessCase{Pool::Numbers, 11, 50, 70}, FairnessCase{Pool::Names, 2, 50, 70},
                    FairnessCase{Pool::Names, 5, 50, 70}, FairnessCase{Pool::Names, 33, 30, 70},
                    FairnessCase{Pool::Photos, 2, 50, 70}, FairnessCase{Pool::Photos, 5, 50, 70},
                    FairnessCase{Pool::Photos, 13, 30, 70}));

} // namespace
} // namespace tiravo
