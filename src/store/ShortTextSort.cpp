#include "store/ShortTextSort.h"

#include <array>
#include <utility>

namespace tiravo {

void RadixSortByPackedText(std::vector<std::uint64_t>& packed, std::vector<std::size_t>& rows) {
    const std::size_t n = packed.size();
    if (n == 0)
        return;
    std::vector<std::uint64_t> packedOut(n);
    std::vector<std::size_t> rowsOut(n);
    for (int shift = 0; shift < 64; shift += 8) {
        std::array<std::size_t, 256> count{};
        for (std::uint64_t key : packed)
            ++count[(key >> shift) & 0xFF];
        if (count[(packed[0] >> shift) & 0xFF] == n)
            continue;
        std::size_t start = 0;
        for (std::size_t& c : count)
            start += std::exchange(c, start);
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t at = count[(packed[i] >> shift) & 0xFF]++;
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
        std::array<std::size_t, 256> count{};
        for (std::uint64_t word : words)
            ++count[(word >> shift) & 0xFF];
        if (count[(words[0] >> shift) & 0xFF] == n)
            continue;
        std::size_t start = 0;
        for (std::size_t& c : count)
            start += std::exchange(c, start);
        for (std::uint64_t word : words)
            out[count[(word >> shift) & 0xFF]++] = word;
        words.swap(out);
    }
}

} // namespace tiravo
