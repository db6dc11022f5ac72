#include "platform/OutputFile.h"

#include "common/Error.h"
#include "store/Connection.h"
#include "store/ConnectionText.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>

namespace tiravo {

namespace {

// The engine's files beside the database: the log, its index and the journal
// of a file that is not in log mode.
const char* const kCompanions[] = {"-wal", "-shm", "-journal"};

// More links in a row than any real folder holds: a circle.
constexpr int kMaxLinks = 40;

QString Native(const QString& path) {
    return QDir::toNativeSeparators(path);
}

// Where a write to `path` lands: its symbolic links followed to their end,
// as the save does, and the links of its folder resolved. Empty when the
// links run in a circle.
QString Landing(const QString& path) {
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    for (int links = 0; info.isSymLink(); ++links) {
        if (links == kMaxLinks)
            return {};
        info.setFile(info.symLinkTarget());
    }
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return QDir::cleanPath(
        QDir(folder.isEmpty() ? info.absolutePath() : folder).filePath(info.fileName()));
}

// The database file and the engine's files beside it, both beside the path
// as given and beside the file its links lead to.
QStringList DatabaseFiles(const QString& database, bool withCompanions) {
    QStringList files;
    for (const QString& base : {QFileInfo(database).absoluteFilePath(), Landing(database)}) {
        files << Landing(base);
        if (withCompanions)
            for (const char* suffix : kCompanions)
                files << Landing(base + QLatin1String(suffix));
    }
    files.removeAll(QString());
    return files;
}

// The English texts name the file: the tool's user may have given several.
[[noreturn]] void Refuse(const OutputTarget& target, const QString& portuguese,
                         const QString& english) {
    throw Error(target.language == MessageLanguage::Portuguese ? portuguese
                                                               : english.arg(Native(target.path)));
}

[[noreturn]] void Failed(const OutputTarget& target, const QString& reason) {
    throw Error((target.language == MessageLanguage::Portuguese
                     ? QStringLiteral("Não foi possível gravar '%1': %2")
                     : QStringLiteral("Could not write '%1': %2"))
                    .arg(Native(target.path), reason));
}

} // namespace

QString DatabaseFileOf(const Connection& connection) {
    return ParseConnectionText(connection.connectionText()).dataSource;
}

void RequireOutputTarget(const OutputTarget& target) {
    const QString landing = Landing(target.path);
    if (!landing.isEmpty() && DatabaseFiles(target.database, false).contains(landing))
        Refuse(target,
               QStringLiteral("O arquivo de saída não pode ser o próprio banco de dados: escolha "
                              "outro nome"),
               QStringLiteral("The output file '%1' is the database file itself; choose another "
                              "name. Nothing was written"));
    if (!landing.isEmpty() && DatabaseFiles(target.database, true).contains(landing))
        Refuse(target,
               QStringLiteral("O arquivo de saída não pode ser um arquivo de trabalho do banco de "
                              "dados: escolha outro nome"),
               QStringLiteral("The output file '%1' is one of the database's own working files; "
                              "choose another name. Nothing was written"));
    const QFileInfo there(landing);
    if (landing.isEmpty() || (there.exists() && !there.isFile()))
        Refuse(target,
               QStringLiteral("'%1' não é um arquivo comum: escolha outro nome")
                   .arg(Native(target.path)),
               QStringLiteral("The output file '%1' is not a regular file; choose another name. "
                              "Nothing was written"));
}

void WriteOutputFile(const OutputTarget& target, const std::function<void(QFileDevice&)>& write) {
    RequireOutputTarget(target);
    // The save writes beside the target and renames over it; dropped without
    // a commit (an exception from `write`), it removes what it wrote.
    QSaveFile file(target.path);
    if (!file.open(QIODevice::WriteOnly))
        Failed(target, file.errorString());
    write(file);
    if (!file.commit())
        Failed(target, file.errorString());
}

bool IsDatabaseFile(int descriptor, const QString& database) {
    struct stat open = {};
    if (::fstat(descriptor, &open) != 0 || !S_ISREG(open.st_mode))
        return false;
    for (const QString& path : DatabaseFiles(database, true)) {
        struct stat file = {};
        if (::stat(QFile::encodeName(path).constData(), &file) == 0 && file.st_dev == open.st_dev &&
            file.st_ino == open.st_ino)
            return true;
    }
    return false;
}

} // namespace tiravo
