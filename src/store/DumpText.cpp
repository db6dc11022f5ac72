#include "store/DumpText.h"

namespace tiravo {

namespace {

const QString kNull = QStringLiteral("NULL");

} // namespace

QString EscapeDumpText(const QString& text, TextEscapes escapes) {
    if (text == kNull)
        return u'\\' + kNull;
    return EscapeText(text, escapes);
}

QString DumpFieldText(const Column& column, const Value& value, TextEscapes escapes) {
    if (IsNull(value))
        return kNull;
    if (const auto* text = std::get_if<QString>(&value))
        return EscapeDumpText(*text, escapes);
    // Without the display format: a number reads as stored, 7 and not 07.
    Column plain = column;
    plain.displayFormat.clear();
    return plain.formatText(value);
}

} // namespace tiravo
