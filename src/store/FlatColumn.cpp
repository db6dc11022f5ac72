#include "store/FlatColumn.h"

#include <cstring>

namespace tiravo {

namespace {

constexpr std::size_t kLengthBytes = sizeof(std::uint32_t);
// Below this much waste the buffer is not worth a pass to squeeze.
constexpr std::size_t kMinWasteToCompact = std::size_t{1} << 20;

} // namespace

void FlatColumn::reserve(std::size_t cells) {
    kinds_.reserve(cells);
    words_.reserve(cells);
}

void FlatColumn::clear() {
    // Given back, not kept: a closed view holds no memory for its rows.
    std::vector<Kind>().swap(kinds_);
    std::vector<std::int64_t>().swap(words_);
    std::vector<char>().swap(texts_);
    deadBytes_ = 0;
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
    const std::int64_t word = words_[i];
    switch (kinds_[i]) {
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
    if (kinds_[i] != Kind::Integer)
        return std::nullopt;
    return words_[i];
}

std::optional<std::uint64_t> FlatColumn::packedShortText(std::size_t i) const {
    if (kinds_[i] != Kind::ShortText)
        return std::nullopt;
    const auto word = static_cast<std::uint64_t>(words_[i]);
    for (int shift = 0; shift < 64; shift += 16) {
        const auto unit = static_cast<char16_t>(word >> shift);
        if (unit != 0 && (unit < u'a' || unit > u'z'))
            return std::nullopt;
    }
    return word;
}

void FlatColumn::write(std::size_t i, const Value& value) {
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        kinds_[i] = Kind::Integer;
        words_[i] = *number;
    } else if (const auto* flag = std::get_if<bool>(&value)) {
        kinds_[i] = Kind::Boolean;
        words_[i] = *flag ? 1 : 0;
    } else if (const auto* text = std::get_if<QString>(&value)) {
        if (const std::optional<std::uint64_t> packed = PackedUnits(*text)) {
            kinds_[i] = Kind::ShortText;
            words_[i] = static_cast<std::int64_t>(*packed);
        } else {
            const QByteArray utf8 = text->toUtf8();
            kinds_[i] = Kind::Text;
            words_[i] = appendText(utf8.constData(), static_cast<std::size_t>(utf8.size()));
        }
    } else {
        kinds_[i] = Kind::Null;
        words_[i] = 0;
    }
}

void FlatColumn::push(const Value& value) {
    kinds_.push_back(Kind::Null);
    words_.push_back(0);
    write(size() - 1, value);
}

void FlatColumn::pushNull() {
    kinds_.push_back(Kind::Null);
    words_.push_back(0);
}

void FlatColumn::pushInteger(std::int64_t number) {
    kinds_.push_back(Kind::Integer);
    words_.push_back(number);
}

void FlatColumn::pushBoolean(bool flag) {
    kinds_.push_back(Kind::Boolean);
    words_.push_back(flag ? 1 : 0);
}

void FlatColumn::pushUtf8(const char* bytes, std::size_t size) {
    if (const std::optional<std::uint64_t> packed = PackedAscii(bytes, size)) {
        kinds_.push_back(Kind::ShortText);
        words_.push_back(static_cast<std::int64_t>(*packed));
        return;
    }
    kinds_.push_back(Kind::Text);
    words_.push_back(appendText(bytes, size));
}

std::int64_t FlatColumn::wordOf(const FlatColumn& from, std::size_t at) {
    if (from.kinds_[at] != Kind::Text)
        return from.words_[at];
    const std::int64_t offset = from.words_[at];
    return appendText(from.texts_.data() + offset + kLengthBytes, from.textBytes(offset));
}

void FlatColumn::pushCell(const FlatColumn& from, std::size_t at) {
    const std::int64_t word = wordOf(from, at);
    kinds_.push_back(from.kinds_[at]);
    words_.push_back(word);
}

void FlatColumn::popBack() {
    release(size() - 1);
    kinds_.pop_back();
    words_.pop_back();
}

void FlatColumn::release(std::size_t i) {
    if (kinds_[i] == Kind::Text)
        deadBytes_ += kLengthBytes + textBytes(words_[i]);
    kinds_[i] = Kind::Null;
    words_[i] = 0;
}

void FlatColumn::set(std::size_t i, const Value& value) {
    release(i);
    write(i, value);
    compactIfWasteful();
}

void FlatColumn::setCell(std::size_t i, const FlatColumn& from, std::size_t at) {
    release(i);
    words_[i] = wordOf(from, at);
    kinds_[i] = from.kinds_[at];
    compactIfWasteful();
}

void FlatColumn::compactIfWasteful() {
    if (deadBytes_ < kMinWasteToCompact || deadBytes_ * 2 < texts_.size())
        return;
    std::vector<char> live;
    live.reserve(texts_.size() - deadBytes_);
    for (std::size_t i = 0; i < size(); ++i) {
        if (kinds_[i] != Kind::Text)
            continue;
        const std::int64_t offset = words_[i];
        const std::size_t bytes = kLengthBytes + textBytes(offset);
        words_[i] = static_cast<std::int64_t>(live.size());
        live.insert(live.end(), texts_.begin() + offset, texts_.begin() + offset + bytes);
    }
    texts_ = std::move(live);
    deadBytes_ = 0;
}

} // namespace tiravo
