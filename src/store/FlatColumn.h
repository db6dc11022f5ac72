#pragma once

#include "store/LargeArrays.h"
#include "store/Value.h"

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace tiravo {

// The cells of one column of a snapshot, held as arrays rather than as one
// variant per cell: a kind and a 64-bit word per cell, and the longer texts
// together in one buffer. A text of at most four characters of plain ASCII,
// the order keys among them, is kept in its word, packed as PackedShortText
// packs it, so a million keys take no buffer and sort as numbers. Whatever
// is stored reads back as the same Value.
class FlatColumn {
public:
    std::size_t size() const { return size_; }
    void clear();

    Value value(std::size_t i) const;
    bool isNull(std::size_t i) const { return kindAt(i) == Kind::Null; }
    // The whole number a cell holds; nothing for any other kind of value.
    std::optional<std::int64_t> integer(std::size_t i) const;
    // The cell's PackedShortText, for a text of at most four letters from a
    // to z; nothing for any other value.
    std::optional<std::uint64_t> packedShortText(std::size_t i) const;
    // The UTF-8 bytes of a text cell, without making a QString of it: those
    // of a short text are spelled out in `scratch`. Nothing for a cell that
    // holds no text.
    std::optional<std::string_view> utf8(std::size_t i, std::array<char, 4>& scratch) const;

    void push(const Value& value);
    void pushNull() { append(Kind::Null, 0); }
    void pushInteger(std::int64_t number) { append(Kind::Integer, number); }
    void pushBoolean(bool flag) { append(Kind::Boolean, flag ? 1 : 0); }
    // A text as the engine hands it over, in UTF-8.
    void pushUtf8(const char* bytes, std::size_t size);
    // The cell `from` holds at `at`, without making a Value of it.
    void pushCell(const FlatColumn& from, std::size_t at);
    void popBack();

    void set(std::size_t i, const Value& value);
    void setCell(std::size_t i, const FlatColumn& from, std::size_t at);

private:
    enum class Kind : std::uint8_t { Null, Integer, Boolean, ShortText, Text };

    Kind kindAt(std::size_t i) const { return kinds_.empty() ? sameKind_ : kinds_[i]; }
    std::int64_t wordAt(std::size_t i) const { return words_.empty() ? sameWord_ : words_[i]; }
    void put(std::size_t i, Kind kind, std::int64_t word);
    void append(Kind kind, std::int64_t word);

    // The kind and word a value is kept as; a longer text goes to the buffer.
    std::pair<Kind, std::int64_t> encode(const Value& value);
    static std::optional<std::uint64_t> PackedUnits(const QString& text);
    static std::optional<std::uint64_t> PackedAscii(const char* bytes, std::size_t size);
    // Appends a text to the buffer; the answer is its word.
    std::int64_t appendText(const char* bytes, std::size_t size);
    // The word of the cell `from` holds at `at`, its text copied over.
    std::int64_t wordOf(const FlatColumn& from, std::size_t at);
    QString textAt(std::int64_t offset) const;
    std::size_t textBytes(std::int64_t offset) const;
    // Counts the buffer's text held at `i` as waste, before the cell changes.
    void release(std::size_t i);
    void compactIfWasteful();

    std::size_t size_ = 0;
    // While every cell is of one kind the kinds take no array, and while
    // every word is the same the words take none: a column of nulls or of
    // one boolean costs nothing per row.
    Kind sameKind_ = Kind::Null;
    std::int64_t sameWord_ = 0;
    LargeArray<Kind> kinds_;
    LargeArray<std::int64_t> words_;
    // Each longer text as its length in four bytes, then its UTF-8 bytes.
    LargeArray<char> texts_;
    std::size_t deadBytes_ = 0; // of texts no cell holds any more
};

} // namespace tiravo
