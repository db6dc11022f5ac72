#pragma once

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
    std::vector<std::uint64_t> packed;
    std::vector<std::size_t> rows;
    packed.reserve(sorted.size());
    rows.reserve(sorted.size());
    for (std::size_t row : sorted) {
        const ShortTextCell read = cell(row);
        if (read.null) {
            nulls.push_back(row);
            continue;
        }
        if (!read.packed)
            return std::nullopt;
        packed.push_back(*read.packed);
        rows.push_back(row);
    }
    RadixSortByPackedText(packed, rows);
    nulls.insert(nulls.end(), rows.begin(), rows.end());
    return nulls;
}

} // namespace tiravo
