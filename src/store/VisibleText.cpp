#include "store/VisibleText.h"

#include <algorithm>

namespace tiravo {

namespace {

bool IsControl(char16_t c) {
    return c < 0x20 || c == 0x7F;
}

bool IsLayout(char16_t c) {
    return c == u'\t' || c == u'\n' || c == u'\r';
}

bool Escaped(char16_t c, TextEscapes escapes) {
    switch (escapes) {
    case TextEscapes::Readable:
        return c == u'\\' || IsHiddenCharacter(c);
    case TextEscapes::CsvCell:
        return IsHiddenCharacter(c) && !IsLayout(c);
    case TextEscapes::RecordHash:
        return c == u'\\' || IsLayout(c);
    }
    return false;
}

QString Hex(char16_t c, int digits) {
    return QString::number(c, 16).toUpper().rightJustified(digits, u'0');
}

} // namespace

bool IsHiddenCharacter(char16_t c) {
    if (IsControl(c) || (c >= 0x80 && c <= 0x9F))
        return true;
    switch (c) {
    case 0x061C:
    case 0x200B:
    case 0x200E:
    case 0x200F:
    case 0x2028:
    case 0x2029:
    case 0x2060:
    case 0xFEFF:
        return true;
    default:
        return (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) ||
               (c >= 0xFFF9 && c <= 0xFFFB);
    }
}

QString EscapeText(const QString& text, TextEscapes escapes) {
    // Most texts hold nothing to escape, and the record's fingerprints run
    // this over every entry of a pool.
    const auto first = std::find_if(text.begin(), text.end(),
                                    [escapes](QChar c) { return Escaped(c.unicode(), escapes); });
    if (first == text.end())
        return text;
    QString escaped = text.first(first - text.begin());
    escaped.reserve(text.size() + 8);
    for (auto at = first; at != text.end(); ++at) {
        const char16_t c = at->unicode();
        if (!Escaped(c, escapes)) {
            escaped += *at;
            continue;
        }
        switch (c) {
        case u'\\':
            escaped += QLatin1String("\\\\");
            break;
        case u'\t':
            escaped += QLatin1String("\\t");
            break;
        case u'\n':
            escaped += QLatin1String("\\n");
            break;
        case u'\r':
            escaped += QLatin1String("\\r");
            break;
        default:
            escaped +=
                IsControl(c) ? QLatin1String("\\x") + Hex(c, 2) : QLatin1String("\\u") + Hex(c, 4);
        }
    }
    return escaped;
}

} // namespace tiravo
