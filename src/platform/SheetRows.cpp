#include "platform/SheetRows.h"

namespace tiravo {

QString SheetTooLargeText() {
    return QStringLiteral("a planilha é grande demais para uma lista de nomes");
}

void SheetRows::count(qsizetype cells, qsizetype characters) {
    cells_ += cells;
    characters_ += characters;
    if (cells_ > kMaxSheetCells || characters_ > kMaxSheetCharacters)
        throw SheetError(SheetTooLargeText());
}

void SheetRows::append(QString text) {
    count(1, text.size());
    row_.append(std::move(text));
}

void SheetRows::set(qsizetype column, QString text) {
    if (column < row_.size()) {
        count(0, text.size());
        row_[column] = std::move(text);
        return;
    }
    count(column + 1 - row_.size(), text.size());
    while (row_.size() < column)
        row_.append(QString());
    row_.append(std::move(text));
}

void SheetRows::endRow(int line) {
    // A row costs memory of its own, cells or none.
    count(1, 0);
    columns_ = qMax(columns_, row_.size());
    rows_.append(std::move(row_));
    lines_.append(line > 0 ? line : int(rows_.size()));
    row_ = QStringList();
}

} // namespace tiravo
