#include "store/ConnectionText.h"

#include "common/Error.h"

#include <QDir>
#include <QStandardPaths>

namespace tiravo {

namespace {
const QString kPasswordKey = QStringLiteral("Database Password=");
}

QString FixedDatabasePath() {
#ifdef Q_OS_WIN
    return QStringLiteral("C:\\Korvane\\Tiravo\\Zodizi.db");
#else
    // GenericDataLocation honours XDG_DATA_HOME and falls back to ~/.local/share.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(QStringLiteral("Korvane/Tiravo/Zodizi.db"));
#endif
}

QString ConnectionTextFor(const QString& dataSource) {
    return QStringLiteral("Provider=%1;Data Source=%2;Persist Security Info=False;")
               .arg(QLatin1String(kProviderName), dataSource) +
           kPasswordKey;
}

ConnectionSettings ParseConnectionText(const QString& text) {
    // The password comes last and may hold any character, ";" included, so it
    // is cut off before the rest is split.
    const qsizetype at = text.indexOf(kPasswordKey, 0, Qt::CaseInsensitive);
    if (at < 0)
        throw Error(QStringLiteral("The connection text has no database password"));
    ConnectionSettings settings;
    settings.password = text.mid(at + kPasswordKey.size());
    for (const QString& pair : text.left(at).split(u';', Qt::SkipEmptyParts)) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals < 0)
            throw Error(
                QStringLiteral("The connection text has a part without a value: '%1'").arg(pair));
        const QString key = pair.left(equals).trimmed();
        const QString value = pair.mid(equals + 1).trimmed();
        if (key.compare(QLatin1String("Provider"), Qt::CaseInsensitive) == 0)
            settings.provider = value;
        else if (key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
            settings.dataSource = value;
    }
    if (settings.provider.compare(QLatin1String(kProviderName), Qt::CaseInsensitive) != 0)
        throw Error(QStringLiteral("Provider cannot be found: '%1'").arg(settings.provider));
    if (settings.dataSource.isEmpty())
        throw Error(QStringLiteral("The connection text names no database file"));
    return settings;
}

} // namespace tiravo
