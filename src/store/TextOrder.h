#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tiravo {

// The one order of texts in the program, that of a Brazilian dictionary or
// phone book: letters first, then accents, then letter case ("Ângela" among
// the A's, "Lívia" before "Luís", "Conceicao" just before "Conceição", "ana"
// just before "Ana"). It is the Portuguese (Brazil) collation of the Unicode
// library Qt is built with, whatever the locale of the process, so every
// machine sorts a pool alike. Views sorted by a text column, the searches
// over them and the file lists all go by it.

// Code-unit order: the tie-break of texts the collation finds equal, and the
// whole order of the plain texts the collation orders the same way.
inline int CompareUnits(QStringView a, QStringView b) {
    const char16_t* x = a.utf16();
    const char16_t* y = b.utf16();
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i)
        if (x[i] != y[i])
            return x[i] < y[i] ? -1 : 1;
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

// Negative, zero or positive as `a` sorts before, with or after `b`. Texts
// the collation holds equal (the same letters written in another Unicode
// form, or differing only in control characters) are told apart by their
// code units, so only identical texts compare equal.
int CompareTexts(QStringView a, QStringView b);

// The collation with letter case ignored: letters, then accents. Every text
// that begins with `value`, letter case ignored, sorts in this order at or
// after `value` and before PrefixCeiling(value), so a search for a beginning
// need only look between the two.
int CompareTextsIgnoringCase(QStringView a, QStringView b);
QString PrefixCeiling(const QString& value);

// The indices of `texts` in text order; equal texts keep the order they
// come in. Each text's collation key is made once, so sorting many rows
// costs one key per row rather than a collation per comparison.
std::vector<std::size_t> TextOrderOf(const std::vector<QStringView>& texts);
void SortTexts(QStringList& texts);

// A text of at most four units, each a lower-case letter from a to z, as one
// number that sorts as the text does in the text order above: a view sorted
// by its four-letter order keys is then a sort of numbers. Among such texts
// the order is that of the alphabet, a shorter text before every longer one
// it begins. Any other text gets no number and is compared as text; whoever
// changes the text order keeps this true or narrows it.
inline std::optional<std::uint64_t> PackedShortText(QStringView text) {
    if (text.size() > 4)
        return std::nullopt;
    std::uint64_t packed = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        const char16_t unit = i < text.size() ? text.utf16()[i] : u'\0';
        if (i < text.size() && (unit < u'a' || unit > u'z'))
            return std::nullopt;
        packed = (packed << 16) | unit;
    }
    return packed;
}

} // namespace tiravo
