#include "store/ShortTextSort.h"

#include <array>
#include <optional>
#include <utility>

namespace tiravo {

namespace {

// Where each value of the byte at `shift` begins in a stable pass, or
// nothing when every key holds the same byte there and the pass can go.
template <class Keys>
std::optional<std::array<std::size_t, 256>> BucketStarts(const Keys& keys, int shift) {
    std::array<std::size_t, 256> count{};
    for (std::uint64_t key : keys)
        ++count[(key >> shift) & 0xFF];
    if (count[(keys[0] >> shift) & 0xFF] == keys.size())
        return std::nullopt;
    std::size_t start = 0;
    for (std::size_t& c : count)
        start += std::exchange(c, start);
    return count;
}

} // namespace

void RadixSortByPackedText(std::vector<std::uint64_t>& packed, std::vector<std::size_t>& rows) {
    const std::size_t n = packed.size();
    if (n == 0)
        return;
    std::vector<std::uint64_t> packedOut(n);
    std::vector<std::size_t> rowsOut(n);
    for (int shift = 0; shift < 64; shift += 8) {
        std::optional<std::array<std::size_t, 256>> starts = BucketStarts(packed, shift);
        if (!starts)
            continue;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t at = (*starts)[(packed[i] >> shift) & 0xFF]++;
            packedOut[at] = packed[i];
            rowsOut[at] = rows[i];
        }
        packed.swap(packedOut);
        rows.swap(rowsOut);
    }
}

void RadixSortByUpperHalf(LargeArray<std::uint64_t>& words) {
    const std::size_t n = words.size();
    if (n == 0)
        return;
    LargeArray<std::uint64_t> out(n);
    for (int shift = 32; shift < 64; shift += 8) {
        std::optional<std::array<std::size_t, 256>> starts = BucketStarts(words, shift);
        if (!starts)
            continue;
        for (std::uint64_t word : words)
            out[(*starts)[(word >> shift) & 0xFF]++] = word;
        words.swap(out);
    }
}

} // namespace tiravo
