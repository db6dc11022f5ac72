#include "platform/Random.h"

#include <bit>
#include <cerrno>

#include <sys/random.h>

namespace tiravo {

SystemRandom::SystemRandom() {
    reseed();
}

int SystemRandom::letterIndex() {
    return letter_(engine_);
}

void SystemRandom::reseed() {
    const std::array<std::uint64_t, 2> seed = freshSeed();
    engine_.seed(seed[0], seed[1]);
    letter_.reset();
}

std::array<std::uint64_t, 2> SystemRandom::freshSeed() {
    // 128 bits of fresh entropy per reseed: far more than a key of 19 bits
    // needs, so no two reseeds in a run are expected to meet.
    if (aheadUsed_ + 2 > ahead_.size()) {
        auto* bytes = reinterpret_cast<unsigned char*>(ahead_.data());
        std::size_t got = 0;
        while (got < sizeof ahead_) {
            const ssize_t n = getrandom(bytes + got, sizeof ahead_ - got, 0);
            if (n > 0) {
                got += static_cast<std::size_t>(n);
            } else if (n == 0 || errno != EINTR) {
                // A kernel without the call: the random device reads the same pool.
                for (std::uint64_t& word : ahead_)
                    word = (std::uint64_t{entropy_()} << 32) | std::uint64_t{entropy_()};
                break;
            }
        }
        aheadUsed_ = 0;
    }
    const std::array<std::uint64_t, 2> seed = {ahead_[aheadUsed_], ahead_[aheadUsed_ + 1]};
    // A seed handed out is not kept where a later look at memory could find it.
    ahead_[aheadUsed_] = ahead_[aheadUsed_ + 1] = 0;
    aheadUsed_ += 2;
    return seed;
}

namespace {

// One step of splitmix64, a bijection of its counter, as the generator's
// authors advise for filling its state.
std::uint64_t splitMix(std::uint64_t& counter) {
    counter += 0x9E3779B97F4A7C15u;
    std::uint64_t z = counter;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

} // namespace

void SystemRandom::Engine::seed(std::uint64_t high, std::uint64_t low) {
    // Two words from each half keep all 128 bits of the seed, and two steps
    // of one bijection never both give zero, so the state is never all zero.
    state_[0] = splitMix(high);
    state_[1] = splitMix(high);
    state_[2] = splitMix(low);
    state_[3] = splitMix(low);
}

SystemRandom::Engine::result_type SystemRandom::Engine::operator()() {
    const std::uint64_t result = std::rotl(state_[1] * 5, 7) * 9;
    const std::uint64_t t = state_[1] << 17;
    state_[2] ^= state_[0];
    state_[3] ^= state_[1];
    state_[1] ^= state_[2];
    state_[0] ^= state_[3];
    state_[2] ^= t;
    state_[3] = std::rotl(state_[3], 45);
    return result;
}

} // namespace tiravo
