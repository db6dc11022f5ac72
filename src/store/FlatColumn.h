#pragma once

#include "store/Value.h"

#include <QString>

#include <cstddef>
#include <cstdint>
#include <optional>
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
    std::size_t size() const { return kinds_.size(); }
    void reserve(std::size_t cells);
    void clear();

    Value value(std::size_t i) const;
    bool isNull(std::size_t i) const { return kinds_[i] == Kind::Null; }
    // The whole number a cell holds; nothing for any other kind of value.
    std::optional<std::int64_t> integer(std::size_t i) const;
    // The cell's PackedShortText, for a text of at most four letters from a
    // to z; nothing for any other value.
    std::optional<std::uint64_t> packedShortText(std::size_t i) const;

    void push(const Value& value);
    void pushNull();
    void pushInteger(std::int64_t number);
    void pushBoolean(bool flag);
    // A text as the engine hands it over, in UTF-8.
    void pushUtf8(const char* bytes, std::size_t size);
    // The cell `from` holds at `at`, without making a Value of it.
    void pushCell(const FlatColumn& from, std::size_t at);
    void popBack();

    void set(std::size_t i, const Value& value);
    void setCell(std::size_t i, const FlatColumn& from, std::size_t at);

private:
    enum class Kind : std::uint8_t { Null, Integer, Boolean, ShortText, Text };

    // The word of a short text, or nothing when the text must go to the buffer.
    static std::optional<std::uint64_t> PackedUnits(const QString& text);
    static std::optional<std::uint64_t> PackedAscii(const char* bytes, std::size_t size);
    // Appends a text to the buffer; the answer is its word.
    std::int64_t appendText(const char* bytes, std::size_t size);
    // The word of the cell `from` holds at `at`, its text copied over.
    std::int64_t wordOf(const FlatColumn& from, std::size_t at);
    QString textAt(std::int64_t offset) const;
    std::size_t textBytes(std::int64_t offset) const;
    // Lets go of the buffer's text held at `i`, before the cell changes.
    void release(std::size_t i);
    void compactIfWasteful();
    void write(std::size_t i, const Value& value);

    std::vector<Kind> kinds_;
    std::vector<std::int64_t> words_;
    // Each longer text as its length in four bytes, then its UTF-8 bytes.
    std::vector<char> texts_;
    std::size_t deadBytes_ = 0; // of texts no cell holds any more
};

} // namespace tiravo
