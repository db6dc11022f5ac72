#pragma once

#include "store/LargeArrays.h"
#include "store/TextOrder.h"
#include "store/Value.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tiravo {

// Sorts rows by texts packed with PackedShortText, least significant byte
// first; each pass keeps the order of the one before, so rows of equal texts
// stay in the order given. A pass over a byte that every text shares is
// skipped: four-letter keys of plain letters take four passes.
void RadixSortByPackedText(std::vector<std::uint64_t>& packed, std::vector<std::size_t>& rows);

// Sorts words by their upper 32 bits, least significant byte first, keeping
// the order of words whose upper halves are equal.
void RadixSortByUpperHalf(LargeArray<std::uint64_t>& words);

// The packed text in 32 bits, a byte a unit, ordered as the packed texts
// are; nothing for a unit beyond one byte.
inline std::optional<std::uint32_t> NarrowPackedText(std::uint64_t packed) {
    std::uint32_t narrow = 0;
    for (int shift = 48; shift >= 0; shift -= 16) {
        const std::uint64_t unit = (packed >> shift) & 0xFFFF;
        if (unit > 0xFF)
            return std::nullopt;
        narrow = (narrow << 8) | static_cast<std::uint32_t>(unit);
    }
    return narrow;
}

// Sorts `rows` by the PackedShortText that `packedOf(row)` answers for each;
// rows of equal texts keep the order given. A pool of millions is sorted
// with one word per row beside the rows, each word its narrowed text above
// the row's place. False, and the rows as they were, when a text does not
// pack.
template <class PackedOf>
bool SortRowsByPackedText(std::vector<std::size_t>& rows, PackedOf packedOf) {
    LargeArray<std::uint64_t> words;
    bool narrow = rows.size() <= 0xFFFFFFFFu;
    if (narrow) {
        words.reserve(rows.size());
        for (std::size_t i = 0; i < rows.size() && narrow; ++i) {
            const std::optional<std::uint64_t> packed = packedOf(rows[i]);
            if (!packed)
                return false;
            const std::optional<std::uint32_t> text = NarrowPackedText(*packed);
            narrow = text.has_value();
            if (narrow)
                words.push_back(std::uint64_t{*text} << 32 | i);
        }
    }
    if (!narrow) {
        LargeArray<std::uint64_t>().swap(words);
        std::vector<std::uint64_t> packed;
        packed.reserve(rows.size());
        for (std::size_t row : rows) {
            const std::optional<std::uint64_t> text = packedOf(row);
            if (!text)
                return false;
            packed.push_back(*text);
        }
        RadixSortByPackedText(packed, rows);
        return true;
    }
    RadixSortByUpperHalf(words);
    for (std::uint64_t& word : words)
        word = rows[word & 0xFFFFFFFFu];
    rows.assign(words.begin(), words.end());
    return true;
}

// A cell as the sort of short texts sees it: null, or a text that
// PackedShortText packs, or (neither) a value this sort cannot order.
struct ShortTextCell {
    bool null = false;
    std::optional<std::uint64_t> packed;
};

// The rows, given in ascending order, in the order of their short texts
// (nulls first, then as the view orders texts, ties in the order given); no
// answer when a text does not pack or the rows do not ascend. `cell(row)`
// answers a ShortTextCell.
template <class Cell>
std::optional<std::vector<std::size_t>> SortedByShortTexts(const std::vector<std::size_t>& sorted,
                                                           Cell cell) {
    for (std::size_t i = 1; i < sorted.size(); ++i)
        if (sorted[i - 1] >= sorted[i])
            return std::nullopt;
    std::vector<std::size_t> nulls;
    std::vector<std::size_t> rows;
    rows.reserve(sorted.size());
    for (std::size_t row : sorted) {
        const ShortTextCell read = cell(row);
        if (read.null)
            nulls.push_back(row);
        else if (!read.packed)
            return std::nullopt;
        else
            rows.push_back(row);
    }
    SortRowsByPackedText(rows, [&cell](std::size_t row) { return cell(row).packed; });
    nulls.insert(nulls.end(), rows.begin(), rows.end());
    return nulls;
}

} // namespace tiravo
