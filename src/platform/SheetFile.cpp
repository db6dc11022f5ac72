#include "platform/SheetFile.h"

#include "platform/CsvFile.h"
#include "platform/TextFile.h"
#include "platform/XlsxFile.h"

#include <QDir>

namespace tiravo {

namespace {

bool HasExtension(const QString& path, QLatin1String extension) {
    return path.endsWith(extension, Qt::CaseInsensitive);
}

} // namespace

bool IsSheetFile(const QString& path) {
    return HasExtension(path, QLatin1String(".csv")) || HasExtension(path, QLatin1String(".xlsx"));
}

QString SheetFileError(const QString& path, const QString& reason) {
    return QStringLiteral("O arquivo \"%1\" não pode ser importado: %2")
        .arg(QDir::toNativeSeparators(path), reason);
}

SheetRows ReadSheetFile(const QString& path) {
    const QByteArray bytes = readTextFileBytes(path);
    try {
        return HasExtension(path, QLatin1String(".xlsx")) ? ParseXlsx(bytes) : ParseCsv(bytes);
    } catch (const SheetError& error) {
        throw Error(SheetFileError(path, error.message()));
    }
}

} // namespace tiravo
