#pragma once

#include <QString>
#include <QStringList>

namespace tiravo {

// The parts of a file mask such as "*.jpg; *.gif;": split at each semicolon,
// blanks around a part and blank parts left out.
QStringList MaskPatterns(const QString& mask);

// Whether a file name matches one of the patterns ('*' any run, '?' any one
// character), letter case ignored.
bool MatchesMask(const QString& name, const QStringList& patterns);

// The names of the plain files of `folder` that match the mask, in the
// program's text order (letters, then accents, then letter case). Folders,
// links to folders, hidden files and anything that is not a regular file
// (sockets, broken links) are left out. The list is read whole before it is
// returned.
QStringList ListMatchingFiles(const QString& folder, const QString& mask);

// The full path of a file of `folder`: the folder, the separator and the
// name, without a second separator when the folder already ends in one, as
// the root folder does.
QString JoinFolderAndName(const QString& folder, const QString& name);

// Whether `folder` is `root` or lies somewhere below it; both clean paths.
bool FolderLiesUnder(const QString& folder, const QString& root);

} // namespace tiravo
