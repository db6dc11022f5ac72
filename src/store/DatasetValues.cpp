// A view's values: the columns of the current row, read and written through
// their text or directly, and the texts a grid shows for every row.
#include "store/Dataset.h"

#include "common/Error.h"

namespace tiravo {

const Column& Field::column() const {
    return dataset_->columns_.at(index_);
}

Value Field::value() const {
    if (dataset_->editing())
        return dataset_->buffer_.at(index_);
    const std::optional<std::size_t> row = dataset_->currentRow();
    return row ? dataset_->rows_.value(*row, index_) : Value{};
}

void Field::setValue(const Value& value) {
    dataset_->requireEditing();
    const Column& c = column();
    if (c.type == ColumnType::Key)
        throw Error(QStringLiteral("Field '%1' cannot be modified").arg(c.name));
    dataset_->buffer_.at(index_) = c.fit(value);
    dataset_->dirty_.at(index_) = true;
    emit dataset_->fieldChanged(static_cast<int>(index_));
}

bool Field::modified() const {
    return dataset_->editing() && dataset_->dirty_.at(index_);
}

QString Field::asString() const {
    return column().formatText(value());
}

void Field::setAsString(const QString& text) {
    dataset_->requireEditing();
    setValue(column().parseText(text));
}

std::int64_t Field::asInteger() const {
    const Value v = value();
    if (const auto* number = std::get_if<std::int64_t>(&v))
        return *number;
    if (const auto* flag = std::get_if<bool>(&v))
        return *flag ? 1 : 0;
    if (const auto* text = std::get_if<QString>(&v)) {
        bool ok = false;
        const qlonglong number = text->toLongLong(&ok);
        if (!ok)
            throw Error(QStringLiteral("'%1' is not a valid integer value for field '%2'")
                            .arg(*text, name()));
        return number;
    }
    return 0;
}

bool Field::asBoolean() const {
    const Value v = value();
    if (const auto* flag = std::get_if<bool>(&v))
        return *flag;
    if (const auto* number = std::get_if<std::int64_t>(&v))
        return *number != 0;
    if (const auto* text = std::get_if<QString>(&v)) {
        const Value parsed = Column{name(), ColumnType::Boolean, 0, false, {}}.parseText(*text);
        return std::holds_alternative<bool>(parsed) && std::get<bool>(parsed);
    }
    return false;
}

int Dataset::fieldIndex(const QString& name) const {
    for (std::size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

Field Dataset::field(const QString& name) {
    const int index = fieldIndex(name);
    if (index < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(name));
    return Field(*this, static_cast<std::size_t>(index));
}

QString Dataset::displayText(int place, const QString& column) const {
    const int index = fieldIndex(column);
    if (index < 0)
        throw Error(QStringLiteral("Field '%1' not found").arg(column));
    return displayText(place, std::size_t(index));
}

QString Dataset::displayText(int place, std::size_t column) const {
    if (place < 0 || static_cast<std::size_t>(place) >= shown_.size())
        return {};
    if (editing() && static_cast<std::size_t>(place) == cursor_)
        return columns_[column].formatText(buffer_[column]);
    return columns_[column].formatText(
        rows_.value(shown_[static_cast<std::size_t>(place)], column));
}

} // namespace tiravo
