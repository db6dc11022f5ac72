#pragma once

#include "store/Connection.h"
#include "store/SqlStatement.h"
#include "store/TableView.h"
#include "support/TempDatabase.h"

#include <QStringList>

#include <initializer_list>
#include <utility>

namespace tiravo::test {

// One column of every row of a table, in Cod order, read afresh from the file.
inline QStringList ColumnOf(Connection& connection, const QString& column,
                            const QString& table = QStringLiteral("TbNumero")) {
    TableView view(connection, {.table = table, .sortKey = QStringLiteral("Cod")});
    view.open();
    QStringList values;
    for (view.first(); !view.eof(); view.next())
        values << view.field(column).asString();
    return values;
}

// Available numbers with the keys given, added in this order.
inline void AddNumbers(TempDatabase& db, std::initializer_list<std::pair<int, const char*>> rows) {
    for (const auto& [number, key] : rows)
        db.exec(QStringLiteral(
                    "INSERT INTO TbNumero (Numero, Ordem, Ok, Ativo) VALUES (%1, '%2', 1, 0)")
                    .arg(number)
                    .arg(QLatin1String(key)));
}

// A row of the photo pool. The path is bound, not spliced: a temporary
// folder's name may hold a quote.
struct PhotoRow {
    QString path;
    QString key;
    bool available = true; // else drawn
    int place = 0;         // Sorte; 0 leaves it null
};

inline void AddPhoto(TempDatabase& db, const PhotoRow& row) {
    SqlStatement& insert = db.connection().statement(
        "INSERT INTO TbFoto (Foto, Ordem, Ok, Ativo, Sorte) VALUES (?, ?, ?, 1, ?)");
    insert.bind(1, row.path);
    insert.bind(2, row.key);
    insert.bind(3, row.available);
    insert.bind(4, row.place > 0 ? Value(std::int64_t(row.place)) : Value());
    while (insert.step()) {
    }
    insert.reset();
}

inline ViewSpec NumberPool() {
    return {.table = QStringLiteral("TbNumero"),
            .filter = QStringLiteral("Ok = True"),
            .sortKey = QStringLiteral("Ordem")};
}

} // namespace tiravo::test
