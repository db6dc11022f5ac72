#include "store/FlatColumn.h"

#include <cstring>

namespace tiravo {

namespace {

constexpr std::size_t kLengthBytes = sizeof(std::uint32_t);
// Below this much waste the buffer is not worth a pass to squeeze.
constexpr std::size_t kMinWasteToCompact = std::size_t{1} << 20;

} // namespace

void FlatColumn::clear() {
    // Given back, not kept: a closed view holds no memory for its rows.
    size_ = 0;
    sameKind_ = Kind::Null;
    sameWord_ = 0;
    LargeArray<Kind>().swap(kinds_);
    LargeArray<std::int64_t>().swap(words_);
    LargeArray<char>().swap(texts_);
    deadBytes_ = 0;
}

void FlatColumn::put(std::size_t i, Kind kind, std::int64_t word) {
    if (kinds_.empty() && kind != sameKind_)
        kinds_.assign(size_, sameKind_);
    if (!kinds_.empty())
        kinds_[i] = kind;
    if (words_.empty() && word != sameWord_)
        words_.assign(size_, sameWord_);
    if (!words_.empty())
        words_[i] = word;
}

void FlatColumn::append(Kind kind, std::int64_t word) {
    if (size_ == 0) {
        sameKind_ = kind;
        sameWord_ = word;
    }
    if (kinds_.empty() && kind != sameKind_)
        kinds_.assign(size_, sameKind_);
    if (!kinds_.empty())
        kinds_.push_back(kind);
    if (words_.empty() && word != sameWord_)
        words_.assign(size_, sameWord_);
    if (!words_.empty())
        words_.push_back(word);
    ++size_;
}

std::optional<std::uint64_t> FlatColumn::PackedUnits(const QString& text) {
    if (text.size() > 4)
        return std::nullopt;
    std::uint64_t packed = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        const char16_t unit = i < text.size() ? text.utf16()[i] : u'\0';
        // A unit of zero would read as the end of the text.
        if (i < text.size() && (unit == 0 || unit >= 0x80))
            return std::nullopt;
        packed = (packed << 16) | unit;
    }
    return packed;
}

std::optional<std::uint64_t> FlatColumn::PackedAscii(const char* bytes, std::size_t size) {
    if (size > 4)
        return std::nullopt;
    std::uint64_t packed = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        const auto byte = i < size ? static_cast<unsigned char>(bytes[i]) : 0u;
        if (i < size && (byte == 0 || byte >= 0x80))
            return std::nullopt;
        packed = (packed << 16) | byte;
    }
    return packed;
}

std::int64_t FlatColumn::appendText(const char* bytes, std::size_t size) {
    const auto offset = static_cast<std::int64_t>(texts_.size());
    const auto length = static_cast<std::uint32_t>(size);
    const auto* lengthBytes = reinterpret_cast<const char*>(&length);
    texts_.insert(texts_.end(), lengthBytes, lengthBytes + kLengthBytes);
    texts_.insert(texts_.end(), bytes, bytes + size);
    return offset;
}

std::size_t FlatColumn::textBytes(std::int64_t offset) const {
    std::uint32_t length = 0;
    std::memcpy(&length, texts_.data() + offset, kLengthBytes);
    return length;
}

QString FlatColumn::textAt(std::int64_t offset) const {
    return QString::fromUtf8(texts_.data() + offset + kLengthBytes,
                             static_cast<qsizetype>(textBytes(offset)));
}

Value FlatColumn::value(std::size_t i) const {
    const std::int64_t word = wordAt(i);
    switch (kindAt(i)) {
    case Kind::Null:
        return {};
    case Kind::Integer:
        return word;
    case Kind::Boolean:
        return word != 0;
    case Kind::ShortText: {
        char16_t units[4];
        qsizetype size = 0;
        for (int shift = 48; shift >= 0; shift -= 16) {
            const auto unit = static_cast<char16_t>((static_cast<std::uint64_t>(word) >> shift));
            if (unit == 0)
                break;
            units[size++] = unit;
        }
        return QString(reinterpret_cast<const QChar*>(units), size);
    }
    case Kind::Text:
        return textAt(word);
    }
    return {};
}

std::optional<std::int64_t> FlatColumn::integer(std::size_t i) const {
    if (kindAt(i) != Kind::Integer)
        return std::nullopt;
    return wordAt(i);
}

std::optional<std::uint64_t> FlatColumn::packedShortText(std::size_t i) const {
    if (kindAt(i) != Kind::ShortText)
        return std::nullopt;
    const auto word = static_cast<std::uint64_t>(wordAt(i));
    for (int shift = 0; shift < 64; shift += 16) {
        const auto unit = static_cast<char16_t>(word >> shift);
        if (unit != 0 && (unit < u'a' || unit > u'z'))
            return std::nullopt;
    }
    return word;
}

std::optional<std::string_view> FlatColumn::utf8(std::size_t i,
                                                 std::array<char, 4>& scratch) const {
    const std::int64_t word = wordAt(i);
    switch (kindAt(i)) {
    case Kind::ShortText: {
        std::size_t size = 0;
        for (int shift = 48; shift >= 0; shift -= 16) {
            const auto unit = static_cast<char>(static_cast<std::uint64_t>(word) >> shift);
            if (unit == 0)
                break;
            scratch[size++] = unit;
        }
        return std::string_view(scratch.data(), size);
    }
    case Kind::Text:
        return std::string_view(texts_.data() + word + kLengthBytes, textBytes(word));
    default:
        return std::nullopt;
    }
}

std::pair<FlatColumn::Kind, std::int64_t> FlatColumn::encode(const Value& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return {Kind::Integer, *number};
    if (const auto* flag = std::get_if<bool>(&value))
        return {Kind::Boolean, *flag ? 1 : 0};
    if (const auto* text = std::get_if<QString>(&value)) {
        if (const std::optional<std::uint64_t> packed = PackedUnits(*text))
            return {Kind::ShortText, static_cast<std::int64_t>(*packed)};
        const QByteArray utf8 = text->toUtf8();
        return {Kind::Text, appendText(utf8.constData(), static_cast<std::size_t>(utf8.size()))};
    }
    return {Kind::Null, 0};
}

void FlatColumn::push(const Value& value) {
    const auto [kind, word] = encode(value);
    append(kind, word);
}

void FlatColumn::pushUtf8(const char* bytes, std::size_t size) {
    if (const std::optional<std::uint64_t> packed = PackedAscii(bytes, size))
        append(Kind::ShortText, static_cast<std::int64_t>(*packed));
    else
        append(Kind::Text, appendText(bytes, size));
}

std::int64_t FlatColumn::wordOf(const FlatColumn& from, std::size_t at) {
    if (from.kindAt(at) != Kind::Text)
        return from.wordAt(at);
    const std::int64_t offset = from.wordAt(at);
    return appendText(from.texts_.data() + offset + kLengthBytes, from.textBytes(offset));
}

void FlatColumn::pushCell(const FlatColumn& from, std::size_t at) {
    const std::int64_t word = wordOf(from, at);
    append(from.kindAt(at), word);
}

void FlatColumn::popBack() {
    release(size_ - 1);
    --size_;
    if (!kinds_.empty())
        kinds_.pop_back();
    if (!words_.empty())
        words_.pop_back();
}

void FlatColumn::release(std::size_t i) {
    if (kindAt(i) == Kind::Text)
        deadBytes_ += kLengthBytes + textBytes(wordAt(i));
}

void FlatColumn::set(std::size_t i, const Value& value) {
    release(i);
    const auto [kind, word] = encode(value);
    put(i, kind, word);
    compactIfWasteful();
}

void FlatColumn::setCell(std::size_t i, const FlatColumn& from, std::size_t at) {
    release(i);
    const std::int64_t word = wordOf(from, at);
    put(i, from.kindAt(at), word);
    compactIfWasteful();
}

void FlatColumn::compactIfWasteful() {
    if (deadBytes_ < kMinWasteToCompact || deadBytes_ * 2 < texts_.size())
        return;
    LargeArray<char> live;
    live.reserve(texts_.size() - deadBytes_);
    for (std::size_t i = 0; i < size_; ++i) {
        if (kindAt(i) != Kind::Text)
            continue;
        const std::int64_t offset = wordAt(i);
        const std::size_t bytes = kLengthBytes + textBytes(offset);
        put(i, Kind::Text, static_cast<std::int64_t>(live.size()));
        live.insert(live.end(), texts_.begin() + offset, texts_.begin() + offset + bytes);
    }
    texts_ = std::move(live);
    deadBytes_ = 0;
}

} // namespace tiravo
