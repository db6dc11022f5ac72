#include "platform/Random.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace tiravo {
namespace {

// The chi-square statistic of counts that should be uniform over 26 letters.
// With 25 degrees of freedom a fair generator exceeds 75 about once in 1.5
// million runs; over 26,000 draws a letter never drawn, or drawn twice as often
// as the others, scores in the hundreds.
constexpr double kChiSquareLimit = 75.0;

template <typename Draw> double chiSquare(int samples, Draw draw) {
    std::array<int, 26> counts{};
    for (int i = 0; i < samples; ++i) {
        const int index = draw();
        EXPECT_GE(index, 0);
        EXPECT_LE(index, 25);
        if (index >= 0 && index <= 25)
            ++counts[static_cast<std::size_t>(index)];
    }
    const double expected = samples / 26.0;
    double sum = 0;
    for (const int count : counts)
        sum += (count - expected) * (count - expected) / expected;
    return sum;
}

std::vector<int> sequence(Random& random, int length) {
    std::vector<int> values;
    for (int i = 0; i < length; ++i)
        values.push_back(random.letterIndex());
    return values;
}

TEST(SystemRandom, LetterIndicesAreUniform) {
    SystemRandom random;
    EXPECT_LT(chiSquare(26'000, [&] { return random.letterIndex(); }), kChiSquareLimit);
}

TEST(SystemRandom, TheFirstIndexAfterEachReseedIsUniform) {
    // A reshuffle reseeds before every key, so the first draws of many seeds
    // must be as good as one long sequence; a seed taken from a clock fails here.
    SystemRandom random;
    EXPECT_LT(chiSquare(26'000,
                        [&] {
                            random.reseed();
                            return random.letterIndex();
                        }),
              kChiSquareLimit);
}

TEST(SystemRandom, FreshGeneratorsAndReseedsStartNewSequences) {
    SystemRandom first;
    SystemRandom second;
    EXPECT_NE(sequence(first, 32), sequence(second, 32));

    first.reseed();
    const std::vector<int> before = sequence(first, 32);
    first.reseed();
    EXPECT_NE(sequence(first, 32), before);
}

} // namespace
} // namespace tiravo
