#include "platform/ui/FileFilter.h"

namespace tiravo {

QStringList fileDialogFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList choices;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (const QString& pattern : parts.at(i + 1).split(QLatin1Char(';'))) {
            if (!pattern.trimmed().isEmpty())
                patterns.append(pattern.trimmed());
        }
        if (patterns.isEmpty())
            continue;
        choices.append(
            QStringLiteral("%1 (%2)").arg(parts.at(i).trimmed(), patterns.join(QLatin1Char(' '))));
    }
    return choices;
}

QString FirstExtensionOf(const QString& choice) {
    const qsizetype open = choice.lastIndexOf(u'(');
    const QString patterns = choice.mid(open + 1).remove(u')').trimmed();
    const QString first = patterns.section(u' ', 0, 0);
    if (!first.startsWith(QLatin1String("*.")) || first.indexOf(u'*', 2) >= 0)
        return {};
    return first.mid(2);
}

} // namespace tiravo
