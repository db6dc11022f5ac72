#include "support/OrdinaryUser.h"

#include <QDirIterator>
#include <QFile>

#include <sys/fsuid.h>
#include <unistd.h>

namespace tiravo::test {

namespace {

constexpr int kNobody = 65534;

bool GiveToNobody(const QString& path) {
    return ::lchown(QFile::encodeName(path).constData(), kNobody, kNobody) == 0;
}

// setfsuid answers the identity before the call, and a call it refuses (-1
// is no identity) changes nothing: this reads the one in force.
int FileSystemUser() {
    return ::setfsuid(static_cast<uid_t>(-1));
}

bool CanWriteIn(const QString& folder) {
    QFile probe(folder + QStringLiteral("/.probe"));
    if (!probe.open(QIODevice::WriteOnly))
        return false;
    probe.close();
    return probe.remove();
}

} // namespace

OrdinaryUser::OrdinaryUser(const QString& folder) {
    if (::geteuid() != 0) {
        ready_ = true;
        return;
    }
    bool given = GiveToNobody(folder);
    QDirIterator walk(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                      QDirIterator::Subdirectories);
    while (walk.hasNext())
        given = GiveToNobody(walk.next()) && given;
    if (!given)
        return;
    ::setfsgid(kNobody);
    ::setfsuid(kNobody);
    switched_ = FileSystemUser() == kNobody;
    // The other user must reach the folder too: a folder above it that only
    // root may enter (a bare root made by mktemp, for one) stops every file
    // call, and the test would see that instead of what it tries.
    if (switched_ && !CanWriteIn(folder)) {
        ::setfsuid(0);
        switched_ = false;
    }
    if (!switched_)
        ::setfsgid(0);
    ready_ = switched_;
}

OrdinaryUser::~OrdinaryUser() {
    if (!switched_)
        return;
    ::setfsuid(0);
    ::setfsgid(0);
}

void SetWritable(const QString& file, bool writable) {
    QFile::Permissions permissions = QFile::permissions(file);
    if (writable)
        permissions |= QFile::WriteOwner;
    else
        permissions &=
            ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther);
    QFile::setPermissions(file, permissions);
}

} // namespace tiravo::test
