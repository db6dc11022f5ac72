#include "Dump.h"

#include "store/Schema.h"
#include "store/TableView.h"

#include <QTextStream>

namespace tiravo::db {

namespace {

const QString kNull = QStringLiteral("NULL");

QString FieldText(const Column& column, const Value& value) {
    if (IsNull(value))
        return kNull;
    if (const auto* text = std::get_if<QString>(&value))
        return EscapeDumpText(*text);
    return column.formatText(value); // numbers plain, booleans True and False
}

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

void DumpDatabase(Connection& connection, QTextStream& out) {
    for (const TableSchema& table : Tables()) {
        // A view without a sort key holds its rows in the order of Cod.
        TableView view(connection, ViewSpec{table.name, {}, {}, {}, {}, {}});
        view.open();
        out << table.name << '\n';
        QStringList names;
        for (const Column& column : view.columns())
            names << column.name;
        out << names.join(u'\t') << '\n';
        for (view.first(); !view.eof(); view.next()) {
            QStringList fields;
            for (std::size_t i = 0; i < view.columns().size(); ++i)
                fields << FieldText(view.columns()[i], view.field(i).value());
            out << fields.join(u'\t') << '\n';
        }
        out << '\n';
    }
}

} // namespace tiravo::db
