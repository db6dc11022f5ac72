#pragma once

#include <array>
#include <cstdint>
#include <random>

namespace tiravo {

// Uniform indices for the order keys, one letter of 26 at a time.
class Random {
public:
    virtual ~Random() = default;

    // Uniform over 0 to 25.
    virtual int letterIndex() = 0;

    // Starts a fresh sequence from new operating-system entropy, so that an
    // order key cannot be foretold from the time it was made.
    virtual void reseed() = 0;
};

class SystemRandom final : public Random {
public:
    SystemRandom(); // already seeded
    int letterIndex() override;
    void reseed() override;

    // xoshiro256**: a small, fast generator of full statistical quality. A
    // reshuffle reseeds before every key of a pool of any size, and a
    // Mersenne Twister spends some 20 us rebuilding its 2.5 KB state on each
    // reseed; this one takes four words.
    class Engine {
    public:
        using result_type = std::uint64_t;
        static constexpr result_type min() { return 0; }
        static constexpr result_type max() { return UINT64_MAX; }

        void seed(std::uint64_t high, std::uint64_t low);
        result_type operator()();

    private:
        std::array<std::uint64_t, 4> state_{};
    };

private:
    // The next 128 bits of the operating system's entropy.
    std::array<std::uint64_t, 2> freshSeed();

    std::random_device entropy_;
    // Entropy fetched ahead, a few hundred seeds at a time: a reshuffle of a
    // million rows reseeds a million times, and one system call per seed
    // costs more than the rest of building a key. Each seed is still used
    // once and only once.
    std::array<std::uint64_t, 512> ahead_{};
    std::size_t aheadUsed_ = 512;
    Engine engine_;
    std::uniform_int_distribution<int> letter_{0, 25};
};

} // namespace tiravo
