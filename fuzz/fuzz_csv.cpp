// The CSV reader of the name import: any bytes give rows or a SheetError
// that says what is wrong; a text without quotes is its lines split at the
// separator found; and rows written back quoted read as the same rows.
#include "FuzzEntry.h"

#include "platform/CsvFile.h"
#include "platform/TextFile.h"

#include <QByteArray>
#include <QRegularExpression>

namespace {

using namespace tiravo;

QStringList NonEmptyLines(const QString& text) {
    static const QRegularExpression breaks(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(breaks);
    lines.removeAll(QString());
    return lines;
}

QString Quoted(const QString& field) {
    QString doubled = field;
    doubled.replace(u'"', QLatin1String("\"\""));
    return u'"' + doubled + u'"';
}

void fuzzCsv(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    SheetRows sheet;
    try {
        sheet = ParseCsv(bytes);
    } catch (const SheetError& error) {
        static const QRegularExpression open(
            QStringLiteral("^a linha [1-9][0-9]* tem aspas sem fecho$"));
        fuzz::require(open.match(error.message()).hasMatch() ||
                          error.message() == SheetTooLargeText(),
                      "a refusal says what is wrong");
        fuzz::require(bytes.contains('"') || error.message() == SheetTooLargeText(),
                      "only a quote is left open");
        return;
    }
    const QList<QStringList>& rows = sheet.rows();
    qsizetype widest = 0;
    for (const QStringList& row : rows) {
        fuzz::require(!row.isEmpty(), "a row holds a field at least");
        widest = std::max(widest, row.size());
    }
    fuzz::require(sheet.columnCount() == widest, "the widest row gives the count of columns");

    const QString text = decodeText(bytes);
    const QChar separator = CsvSeparatorOf(text);
    if (!bytes.contains('"')) {
        const QStringList lines = NonEmptyLines(text);
        fuzz::require(rows.size() == lines.size(), "without quotes, a row for each line");
        for (qsizetype i = 0; i < rows.size() && i < lines.size(); ++i)
            fuzz::require(separator.isNull() ? rows[i] == QStringList{lines[i]}
                                             : rows[i].join(separator) == lines[i],
                          "without quotes, a line is its fields and separators");
    }

    // Written back with every field quoted, the rows read as themselves when
    // the same separator is found again.
    QString written;
    for (const QStringList& row : rows) {
        QStringList fields;
        for (const QString& field : row)
            fields << Quoted(field);
        written +=
            fields.join(separator.isNull() ? QChar(u';') : separator) + QLatin1String("\r\n");
    }
    if (CsvSeparatorOf(written) != separator)
        return;
    try {
        fuzz::require(ParseCsv(written.toUtf8()).rows() == rows, "quoted rows read back");
    } catch (const SheetError&) {
        fuzz::fail("quoted rows are no error");
    }
}

} // namespace

TIRAVO_FUZZ_TARGET("csv", fuzzCsv)
