#include "platform/Documents.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace tiravo {

QString DocumentsFolder() {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        return documents;
    return QDir::homePath();
}

QString InDocuments(const QString& file) {
    return QDir(DocumentsFolder()).filePath(file);
}

QString SavedFileText(const QString& path) {
    return QStringLiteral("Arquivo salvo em %1").arg(QDir::toNativeSeparators(path));
}

} // namespace tiravo
