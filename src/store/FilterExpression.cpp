#include "store/FilterExpression.h"

#include "common/Error.h"

#include <QRegularExpression>

namespace tiravo {

namespace {

[[noreturn]] void Refuse(const QString& text, const QString& why) {
    throw Error(QStringLiteral("The filter \"%1\" cannot be used: %2").arg(text, why));
}

Value ParseLiteral(const QString& filter, const QString& literal, const Column& column) {
    if (literal.startsWith(u'\'')) {
        if (column.type != ColumnType::Text)
            Refuse(filter, QStringLiteral("column '%1' holds no text").arg(column.name));
        return literal.mid(1, literal.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
    }
    if (literal.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0 ||
        literal.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0) {
        if (column.type != ColumnType::Boolean)
            Refuse(filter, QStringLiteral("column '%1' is not True or False").arg(column.name));
        return literal.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0;
    }
    bool isNumber = false;
    const qlonglong number = literal.toLongLong(&isNumber);
    if (!isNumber || column.type == ColumnType::Text || column.type == ColumnType::Boolean)
        Refuse(filter, QStringLiteral("'%1' does not fit column '%2'").arg(literal, column.name));
    return static_cast<std::int64_t>(number);
}

} // namespace

int CompareValues(const Value& a, const Value& b) {
    if (IsNull(a) || IsNull(b))
        return IsNull(a) == IsNull(b) ? 0 : (IsNull(a) ? -1 : 1);
    if (const auto* x = std::get_if<QString>(&a)) {
        const auto* y = std::get_if<QString>(&b);
        if (!y)
            return 1;
        const int folded = x->compare(*y, Qt::CaseInsensitive);
        return folded != 0 ? folded : x->compare(*y);
    }
    const auto number = [](const Value& v) -> std::int64_t {
        if (const auto* n = std::get_if<std::int64_t>(&v))
            return *n;
        if (const auto* f = std::get_if<bool>(&v))
            return *f ? 1 : 0;
        return 0;
    };
    if (std::holds_alternative<QString>(b))
        return -1;
    const std::int64_t x = number(a);
    const std::int64_t y = number(b);
    return x < y ? -1 : (x > y ? 1 : 0);
}

FilterExpression FilterExpression::Parse(const QString& text, const std::vector<Column>& columns) {
    FilterExpression filter;
    if (text.trimmed().isEmpty())
        return filter;
    static const QRegularExpression shape(QStringLiteral(
        R"(^\s*([A-Za-z_][A-Za-z0-9_]*)\s*(<>|<=|>=|=|<|>)\s*('(?:[^']|'')*'|[A-Za-z]+|[-+]?\d+)\s*$)"));
    const QRegularExpressionMatch match = shape.match(text);
    if (!match.hasMatch())
        Refuse(text, QStringLiteral("it is not a comparison of a column with a value"));
    const QString name = match.captured(1);
    for (std::size_t i = 0; i < columns.size(); ++i)
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            filter.column_ = static_cast<int>(i);
    if (filter.column_ < 0)
        Refuse(text, QStringLiteral("the view has no column '%1'").arg(name));
    filter.text_ = text;
    filter.name_ = columns[static_cast<std::size_t>(filter.column_)].name;
    filter.literalText_ = match.captured(3);
    const QString op = match.captured(2);
    filter.op_ = op == QLatin1String("=")    ? Op::Equal
                 : op == QLatin1String("<>") ? Op::NotEqual
                 : op == QLatin1String("<")  ? Op::Less
                 : op == QLatin1String("<=") ? Op::LessOrEqual
                 : op == QLatin1String(">")  ? Op::Greater
                                             : Op::GreaterOrEqual;
    filter.literal_ =
        ParseLiteral(text, match.captured(3), columns[static_cast<std::size_t>(filter.column_)]);
    return filter;
}

bool FilterExpression::passesValue(const Value& value) const {
    if (column_ < 0)
        return true;
    if (IsNull(value))
        return false;
    // The file is not bound to the declared types: a number column may hold
    // a text that some other program wrote. Such a row can be neither kept
    // nor left out in good faith, so the view refuses to open.
    const auto* text = std::get_if<QString>(&value);
    const auto* wanted = std::get_if<QString>(&literal_);
    if ((text == nullptr) != (wanted == nullptr))
        Refuse(text_, text ? QStringLiteral("column '%1' holds the text '%2' in a row, not a "
                                            "value to compare with %3")
                                 .arg(name_, *text, literalText_)
                           : QStringLiteral("column '%1' holds a value that is not a text in a row")
                                 .arg(name_));
    // Filters compare texts as stored: "Foto = ''" matches only the empty text.
    const int order = text ? text->compare(*wanted) : CompareValues(value, literal_);
    switch (op_) {
    case Op::Equal:
        return order == 0;
    case Op::NotEqual:
        return order != 0;
    case Op::Less:
        return order < 0;
    case Op::LessOrEqual:
        return order <= 0;
    case Op::Greater:
        return order > 0;
    case Op::GreaterOrEqual:
        return order >= 0;
    }
    return false;
}

} // namespace tiravo
