#include "store/Column.h"

#include "common/Error.h"

#include <limits>

namespace tiravo {

namespace {

bool IsPrefixIgnoringCase(const QString& text, const QString& word) {
    return text.size() <= word.size() &&
           QStringView(word).left(text.size()).compare(text, Qt::CaseInsensitive) == 0;
}

std::int64_t RangeMin(ColumnType type) {
    return type == ColumnType::SmallInt ? std::numeric_limits<std::int16_t>::min()
                                        : std::numeric_limits<std::int32_t>::min();
}

std::int64_t RangeMax(ColumnType type) {
    return type == ColumnType::SmallInt ? std::numeric_limits<std::int16_t>::max()
                                        : std::numeric_limits<std::int32_t>::max();
}

Value ParseBoolean(const QString& text, const QString& field) {
    if (text.isEmpty())
        return {};
    if (IsPrefixIgnoringCase(text, QStringLiteral("False")))
        return false;
    if (IsPrefixIgnoringCase(text, QStringLiteral("True")))
        return true;
    throw Error(
        QStringLiteral("'%1' is not a valid boolean value for field '%2'").arg(text, field));
}

Value ParseInteger(const QString& text, const QString& field) {
    if (text.isEmpty())
        return {};
    bool ok = false;
    const qlonglong number = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        throw Error(
            QStringLiteral("'%1' is not a valid integer value for field '%2'").arg(text, field));
    return static_cast<std::int64_t>(number);
}

QString FormatInteger(std::int64_t number, const QString& format) {
    const qsizetype digits = format.count(QLatin1Char('0'));
    // Negating the smallest 64-bit number overflows; its magnitude fits only
    // unsigned.
    const std::uint64_t magnitude =
        number < 0 ? 0 - static_cast<std::uint64_t>(number) : static_cast<std::uint64_t>(number);
    const QString plain = QString::number(magnitude);
    const QString padded =
        plain.size() < digits ? QString(digits - plain.size(), u'0') + plain : plain;
    return number < 0 ? QStringLiteral("-") + padded : padded;
}

} // namespace

QString CutToWidth(const QString& text, int width) {
    if (width <= 0 || text.size() <= width)
        return text;
    qsizetype units = 0;
    for (int characters = 0; characters < width && units < text.size(); ++characters)
        units += (text.at(units).isHighSurrogate() && units + 1 < text.size()) ? 2 : 1;
    return text.left(units);
}

Value Column::parseText(const QString& text) const {
    switch (type) {
    case ColumnType::Boolean:
        return ParseBoolean(text, name);
    case ColumnType::Key:
    case ColumnType::Integer:
    case ColumnType::SmallInt:
        return fit(ParseInteger(text, name));
    case ColumnType::Text:
        return fit(text);
    }
    return {};
}

Value Column::fit(const Value& value) const {
    if (IsNull(value))
        return value;
    switch (type) {
    case ColumnType::Key:
    case ColumnType::Integer:
    case ColumnType::SmallInt: {
        const auto* number = std::get_if<std::int64_t>(&value);
        if (!number)
            throw Error(QStringLiteral("Field '%1' takes a whole number").arg(name));
        if (*number < RangeMin(type) || *number > RangeMax(type))
            throw Error(QStringLiteral("'%1' is out of range for field '%2' (%3 to %4)")
                            .arg(*number)
                            .arg(name)
                            .arg(RangeMin(type))
                            .arg(RangeMax(type)));
        return value;
    }
    case ColumnType::Boolean:
        if (!std::holds_alternative<bool>(value))
            throw Error(QStringLiteral("Field '%1' takes True or False").arg(name));
        return value;
    case ColumnType::Text:
        if (const auto* text = std::get_if<QString>(&value))
            return CutToWidth(*text, width);
        throw Error(QStringLiteral("Field '%1' takes a text").arg(name));
    }
    return value;
}

QString Column::formatText(const Value& value) const {
    if (const auto* number = std::get_if<std::int64_t>(&value))
        return displayFormat.isEmpty() ? QString::number(*number)
                                       : FormatInteger(*number, displayFormat);
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? QStringLiteral("True") : QStringLiteral("False");
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    return {};
}

} // namespace tiravo
