#include "platform/FolderListing.h"

#include "store/TextOrder.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace tiravo {

namespace {

std::vector<QRegularExpression> CompiledPatterns(const QStringList& patterns) {
    std::vector<QRegularExpression> compiled;
    compiled.reserve(patterns.size());
    for (const QString& pattern : patterns)
        compiled.emplace_back(QRegularExpression::wildcardToRegularExpression(pattern),
                              QRegularExpression::CaseInsensitiveOption);
    return compiled;
}

bool MatchesAny(const QString& name, const std::vector<QRegularExpression>& patterns) {
    return std::any_of(patterns.begin(), patterns.end(),
                       [&name](const QRegularExpression& p) { return p.match(name).hasMatch(); });
}

} // namespace

QStringList MaskPatterns(const QString& mask) {
    QStringList patterns;
    for (const QString& part : mask.split(QLatin1Char(';'))) {
        const QString pattern = part.trimmed();
        if (!pattern.isEmpty())
            patterns << pattern;
    }
    return patterns;
}

bool MatchesMask(const QString& name, const QStringList& patterns) {
    return MatchesAny(name, CompiledPatterns(patterns));
}

QStringList ListMatchingFiles(const QString& folder, const QString& mask) {
    const std::vector<QRegularExpression> patterns = CompiledPatterns(MaskPatterns(mask));
    // Files only: a link to a folder counts as a folder, and without System
    // neither broken links nor devices, sockets or pipes are listed.
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::NoSort);
    QStringList names;
    names.reserve(entries.size());
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (entry.isFile() && MatchesAny(name, patterns))
            names << name;
    }
    SortTexts(names);
    return names;
}

QString JoinFolderAndName(const QString& folder, const QString& name) {
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

bool FolderLiesUnder(const QString& folder, const QString& root) {
    if (root.endsWith(QLatin1Char('/')))
        return folder.startsWith(root) || folder + QLatin1Char('/') == root;
    return folder == root || folder.startsWith(root + QLatin1Char('/'));
}

} // namespace tiravo
