#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace tiravo::test {

struct WorkbookOptions {
    // Texts written in their cells, as a workbook written row by row keeps
    // them, instead of in the table of shared strings.
    bool inlineStrings = false;
    // Sheets after the first, each with one cell naming it.
    QStringList moreSheets;
};

// A new Excel workbook at `path` with `rows` in its first sheet. A cell
// written "#12.5" is the number 12.5; every other cell is text, and an
// empty one is left out.
void WriteWorkbook(const QString& path, const QList<QStringList>& rows,
                   const WorkbookOptions& options = {});

// A zip file of the given parts, for workbooks that no library writes.
using ZipParts = std::vector<std::pair<QString, QByteArray>>;
QByteArray ZipBytes(const ZipParts& parts);

// The contents of the part `name` of a zip file; empty when there is none.
QByteArray ZipPart(const QByteArray& zip, const QString& name);

// The parts of a minimal workbook around `sheet`, the XML of its first sheet,
// and `strings`, that of its shared strings (none when empty).
ZipParts MinimalWorkbook(const QByteArray& sheet, const QByteArray& strings = {});

} // namespace tiravo::test
