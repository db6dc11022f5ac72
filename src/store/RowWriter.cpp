#include "store/RowWriter.h"

#include "common/Error.h"
#include "store/Column.h"
#include "store/Schema.h"

namespace tiravo {

bool FitsColumn(const QString& table, const QString& column, const QString& text) {
    const Column* found = TableNamed(table).find(column);
    if (!found)
        throw Error(QStringLiteral("Table '%1' has no column '%2'").arg(table, column));
    return CutToWidth(text, found->width) == text;
}

RowWriter::RowWriter(Connection& connection, const QString& table)
    : view_(connection, ViewSpec{table, {}, {}, {}, {}, {}}) {
    view_.open();
}

void RowWriter::add(std::initializer_list<std::pair<const char*, Value>> values) {
    view_.insert();
    try {
        for (const auto& [name, value] : values) {
            Field field = view_.field(QString::fromLatin1(name));
            if (const auto* text = std::get_if<QString>(&value);
                text && CutToWidth(*text, field.column().width) != *text)
                throw Error(QStringLiteral("'%1' is longer than the %2 characters of field '%3'")
                                .arg(*text, QString::number(field.column().width), field.name()));
            field.setValue(value);
        }
        view_.post();
    } catch (...) {
        view_.cancel();
        throw;
    }
}

} // namespace tiravo
