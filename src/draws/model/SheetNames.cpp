#include "draws/model/SheetNames.h"

#include "common/Error.h"
#include "draws/model/NameImport.h"
#include "platform/SheetFile.h"

#include <algorithm>
#include <vector>

namespace tiravo {

namespace {

bool IsBlank(const QString& cell) {
    for (const QChar c : cell)
        if (!c.isSpace())
            return false;
    return true;
}

bool IsBlankRow(const QStringList& row) {
    return std::all_of(row.begin(), row.end(), IsBlank);
}

bool HasLetter(const QString& cell) {
    return std::any_of(cell.begin(), cell.end(), [](QChar c) { return c.isLetter(); });
}

bool HasDigit(const QString& cell) {
    return std::any_of(cell.begin(), cell.end(), [](QChar c) { return c.isDigit(); });
}

bool IsWords(const QString& cell) {
    return HasLetter(cell) && !HasDigit(cell) && !cell.contains(u'@');
}

// Whether most of the filled cells of `column` below the first `from` rows
// pass `test`.
template <typename Test>
bool MostlyFilledWith(const QList<QStringList>& rows, qsizetype from, qsizetype column, Test test) {
    qsizetype filled = 0;
    qsizetype passed = 0;
    for (qsizetype r = from; r < rows.size(); ++r) {
        const QString cell = SheetCell(rows.at(r), column);
        if (IsBlank(cell))
            continue;
        ++filled;
        if (test(cell))
            ++passed;
    }
    return filled > 0 && 2 * passed > filled;
}

bool LooksLikeHeader(const QList<QStringList>& rows, qsizetype columns) {
    const QStringList& first = rows.front();
    if (std::any_of(first.begin(), first.end(), IsNamesHeading))
        return true;
    if (rows.size() < 2)
        return false;
    bool overFigures = false;
    for (qsizetype column = 0; column < columns; ++column) {
        const QString heading = SheetCell(first, column);
        if (IsBlank(heading))
            continue;
        // A figure is data, never a heading.
        if (!HasLetter(heading))
            return false;
        if (!HasDigit(heading) && MostlyFilledWith(rows, 1, column, HasDigit))
            overFigures = true;
    }
    return overFigures;
}

QString Plain(const QString& text) {
    QString plain;
    for (const QChar c : text.normalized(QString::NormalizationForm_D))
        if (c.category() != QChar::Mark_NonSpacing)
            plain.append(c);
    return plain.trimmed().toCaseFolded();
}

QString FileWithoutNames(const QString& path, const char* reason) {
    return SheetFileError(path, QString::fromUtf8(reason));
}

} // namespace

bool IsNamesHeading(const QString& heading) {
    const QString plain = Plain(heading);
    return plain == u"nome" || plain == u"nomes" || plain == u"name" || plain == u"participante";
}

SheetColumns ExamineSheet(const SheetRows& sheet) {
    SheetColumns result;
    std::vector<bool> filled(std::size_t(sheet.columnCount()), false);
    for (const QStringList& row : sheet.rows()) {
        if (IsBlankRow(row))
            continue;
        for (qsizetype column = 0; column < row.size(); ++column)
            if (!IsBlank(row.at(column)))
                filled[std::size_t(column)] = true;
        result.rows.append(row);
    }
    for (qsizetype column = 0; column < sheet.columnCount(); ++column)
        if (filled[std::size_t(column)])
            result.sheetColumns.append(column);
    result.columnCount = result.sheetColumns.size();
    if (result.columnCount < sheet.columnCount()) {
        for (QStringList& row : result.rows) {
            QStringList kept;
            for (const qsizetype column : result.sheetColumns)
                kept.append(SheetCell(row, column));
            row = std::move(kept);
        }
    }
    if (result.rows.isEmpty())
        return result;
    result.header = LooksLikeHeader(result.rows, result.columnCount);
    const QStringList& first = result.rows.front();
    const qsizetype from = result.header ? 1 : 0;
    for (qsizetype column = 0; column < result.columnCount; ++column) {
        if (result.header && IsNamesHeading(SheetCell(first, column))) {
            result.proposed = column;
            return result;
        }
    }
    for (qsizetype column = 0; column < result.columnCount; ++column) {
        if (MostlyFilledWith(result.rows, from, column, IsWords)) {
            result.proposed = column;
            return result;
        }
    }
    return result;
}

QStringList NamesInColumn(const SheetColumns& sheet, NameColumn column) {
    QStringList cells;
    cells.reserve(sheet.rows.size());
    for (qsizetype r = column.header ? 1 : 0; r < sheet.rows.size(); ++r)
        cells.append(SheetCell(sheet.rows.at(r), column.column));
    return ImportedNames(cells);
}

std::optional<QStringList> ReadNamesFromFile(const QString& path, const ChooseNameColumn& choose) {
    if (!IsSheetFile(path))
        return ReadNamesToImport(path);
    const SheetColumns sheet = ExamineSheet(ReadSheetFile(path));
    if (sheet.rows.isEmpty())
        throw Error(FileWithoutNames(path, "a planilha está vazia"));
    std::optional<NameColumn> column;
    if (sheet.columnCount == 1)
        column = NameColumn{0, IsNamesHeading(sheet.rows.front().front())};
    else
        column = choose(sheet);
    if (!column)
        return std::nullopt;
    QStringList names = NamesInColumn(sheet, *column);
    if (names.isEmpty())
        throw Error(FileWithoutNames(path, sheet.columnCount == 1
                                               ? "a planilha está vazia"
                                               : "a coluna escolhida está vazia"));
    return names;
}

QString SheetCell(const QStringList& row, qsizetype column) {
    return column < row.size() ? row.at(column) : QString();
}

} // namespace tiravo
