#include "store/DumpText.h"

namespace tiravo {

namespace {

const QString kNull = QStringLiteral("NULL");

} // namespace

QString EscapeDumpText(const QString& text) {
    if (text == kNull)
        return u'\\' + kNull;
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
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
            escaped += c;
        }
    }
    return escaped;
}

QString DumpFieldText(const Column& column, const Value& value) {
    if (IsNull(value))
        return kNull;
    if (const auto* text = std::get_if<QString>(&value))
        return EscapeDumpText(*text);
    // Without the display format: a number reads as stored, 7 and not 07.
    Column plain = column;
    plain.displayFormat.clear();
    return plain.formatText(value);
}

} // namespace tiravo
