// The conversions of texts into stored values and back: every text gives a
// value or the operator's Error, a number read back through any display
// format is the same number, and a text is cut without splitting a character.
#include "FuzzEntry.h"

#include "common/Error.h"
#include "store/Column.h"

#include <QByteArray>

namespace {

using namespace tiravo;

void fuzzValues(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return;
    const std::uint8_t selector = data[0];
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QString format = (selector & 1) ? QStringLiteral("00") : QString();

    const Column flag{"Ok", ColumnType::Boolean, 0, false, {}};
    try {
        const Value value = flag.parseText(text);
        fuzz::require(IsNull(value) == text.isEmpty(), "only the empty text stores null");
        fuzz::require(IsNull(value) || std::holds_alternative<bool>(value),
                      "a boolean column holds booleans");
    } catch (const Error&) {
        fuzz::require(!text.isEmpty(), "the empty text is always a boolean");
    }

    for (const ColumnType type : {ColumnType::Integer, ColumnType::SmallInt, ColumnType::Key}) {
        const Column number{"Numero", type, 0, false, format};
        try {
            const Value value = number.parseText(text);
            fuzz::require(IsNull(value) == text.isEmpty(), "only the empty text stores null");
            if (!IsNull(value))
                fuzz::require(number.parseText(number.formatText(value)) == value,
                              "a stored number reads back as itself");
        } catch (const Error&) {
        }
    }

    // Any 64-bit number the file may hold reads as its decimal digits.
    if (size >= 9) {
        std::uint64_t bits = 0;
        for (int i = 1; i <= 8; ++i)
            bits = bits << 8 | data[i];
        const auto stored = static_cast<std::int64_t>(bits);
        const Column numero{"Numero", ColumnType::Integer, 0, false, QStringLiteral("00")};
        bool ok = false;
        const qlonglong read = numero.formatText(stored).toLongLong(&ok);
        fuzz::require(ok && read == stored, "a display format keeps the number");
    }

    const int width = selector >> 1;
    const Column name{"Nome", ColumnType::Text, width, false, {}};
    const QString cut = std::get<QString>(name.parseText(text));
    fuzz::require(text.startsWith(cut), "a cut text is the start of the text");
    fuzz::require(width == 0 || cut.size() <= 2 * width, "a cut text fits its width");
    if (cut.size() < text.size())
        fuzz::require(cut.isEmpty() || !cut.back().isHighSurrogate() ||
                          !text.at(cut.size()).isLowSurrogate(),
                      "a character is never split");
}

} // namespace

TIRAVO_FUZZ_TARGET("values", fuzzValues)
