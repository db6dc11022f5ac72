// Whether the winners of a batch are as uniform as single draws: the batch
// draws without the teaser's pause, so less of the draw's own work is done
// while frames stand, and each of its draws starts where the one before left
// the pool. With the clock standing still, every draw of the batch, first or
// third, must still give each entry the same chance.
#include "draws/VantaNome.h"
#include "draws/VantaNumero.h"
#include "draws/model/OrderKey.h"
#include "draws/model/RecordChain.h"
#include "platform/Random.h"
#include "support/TempDatabase.h"
#include "support/TestServices.h"
#include "widgets/CounterPanel.h"

#include <QAction>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <vector>

namespace tiravo {
namespace {

// The chi-square distribution's critical values at a significance of 1e-4.
double ChiSquareCritical(int degreesOfFreedom) {
    switch (degreesOfFreedom) {
    case 4:
        return 23.51;
    case 10:
        return 35.56;
    default:
        ADD_FAILURE() << "no critical value for " << degreesOfFreedom;
        return 0;
    }
}

double ChiSquareAgainstEven(const std::vector<int>& observed) {
    double total = 0;
    for (int count : observed)
        total += count;
    const double expected = total / double(observed.size());
    double sum = 0;
    for (int count : observed)
        sum += (count - expected) * (count - expected) / expected;
    return sum;
}

struct BatchCase {
    bool names;
    int size;
};

void PrintTo(const BatchCase& c, std::ostream* out) {
    *out << (c.names ? "names" : "numbers") << c.size;
}

class BatchFairness : public testing::TestWithParam<BatchCase> {};

TEST_P(BatchFairness, EveryDrawOfABatchGivesEachEntryTheSameChance) {
    const BatchCase& c = GetParam();
    constexpr int kBatch = 3;
    constexpr int kCyclesPerEntry = 12;
    test::TempDatabase db;
    TestServices fake;
    SystemRandom random;
    const Services services{fake.clock, fake.pause, fake.dialogs, fake.desktop, random};
    fake.clock.setTime(QTime(12, 0, 1));
    for (int n = 1; n <= c.size; ++n)
        db.exec(QStringLiteral("INSERT INTO %1 VALUES (NULL, %2, '%3', 1, 1, NULL)")
                    .arg(c.names
                             ? QStringLiteral("TbNome (Cod, Nome, Ordem, Ok, Ativo, Sorte)")
                             : QStringLiteral("TbNumero (Cod, Numero, Ordem, Ok, Ativo, Sorte)"))
                    .arg(c.names ? QStringLiteral("'%1'").arg(n) : QString::number(n))
                    .arg(NewReseededOrderKey(random)));
    AppContext context(db.connection(), services);
    std::unique_ptr<DrawScreen> w;
    if (c.names)
        w = std::make_unique<TFVantaNome>(nullptr, context);
    else
        w = std::make_unique<TFVantaNumero>(nullptr, context);

    // wins[position in the batch][entry - 1]
    std::vector<std::vector<int>> wins(kBatch, std::vector<int>(std::size_t(c.size), 0));
    const int cycles = kCyclesPerEntry * c.size;
    for (int cycle = 0; cycle < cycles; ++cycle) {
        fake.dialogs.answerNumber(kBatch);
        w->DrawMany->trigger();
        std::vector<RecordRow> rows = ReadRecord(db.connection());
        ASSERT_GE(rows.size(), std::size_t(kBatch));
        for (int position = 0; position < kBatch; ++position) {
            const RecordRow& row = rows[rows.size() - std::size_t(kBatch - position)];
            ASSERT_EQ(row.action, "sorteio em lote");
            const int entry = row.entry.value_or(QString()).toInt();
            ASSERT_TRUE(entry >= 1 && entry <= c.size) << entry;
            ++wins[std::size_t(position)][std::size_t(entry - 1)];
        }
        fake.dialogs.answerYes();
        QTest::mouseClick(w->Button3, Qt::LeftButton);
        ASSERT_EQ(w->Panel1->text().toInt(), c.size);
        fake.dialogs.clear();
    }
    for (int position = 0; position < kBatch; ++position)
        EXPECT_LT(ChiSquareAgainstEven(wins[std::size_t(position)]), ChiSquareCritical(c.size - 1))
            << "draw " << position + 1 << ": "
            << testing::PrintToString(wins[std::size_t(position)]);
}

// Numbers past ten, whose draws flash their frames, and up to ten, whose draws
// only step; names, whose roll shows more frames than there are names.
INSTANTIATE_TEST_SUITE_P(Pools, BatchFairness,
                         testing::Values(BatchCase{false, 11}, BatchCase{false, 5},
                                         BatchCase{true, 5}));

} // namespace
} // namespace tiravo
