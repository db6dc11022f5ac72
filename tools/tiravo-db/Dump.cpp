#include "Dump.h"

#include "store/DumpText.h"
#include "store/Schema.h"
#include "store/TableView.h"

#include <QTextStream>

namespace tiravo::db {

void DumpDatabase(Connection& connection, QTextStream& out) {
    for (const TableSchema& table : Tables()) {
        // A view without a sort key holds its rows in the order of Cod.
        TableView view(connection, ViewSpec{table.name, {}, {}, {}, {}, {}});
        view.open();
        // A file without prize plans, or whose presentation settings were
        // never changed, dumps as it did before there were any.
        if ((table.name == kPrizeTable || table.name == kPresentationTable) && view.eof())
            continue;
        out << table.name << '\n';
        QStringList names;
        for (const Column& column : view.columns())
            names << column.name;
        out << names.join(u'\t') << '\n';
        for (view.first(); !view.eof(); view.next()) {
            QStringList fields;
            for (std::size_t i = 0; i < view.columns().size(); ++i)
                fields << DumpFieldText(view.columns()[i], view.field(i).value(),
                                        TextEscapes::Readable);
            out << fields.join(u'\t') << '\n';
        }
        out << '\n';
    }
}

} // namespace tiravo::db
