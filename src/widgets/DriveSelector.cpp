#include "widgets/DriveSelector.h"

#include "platform/FolderListing.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>

namespace tiravo {

namespace {

QString Labelled(const QString& root, const QString& name) {
    return name.isEmpty() ? root : QStringLiteral("%1  [%2]").arg(root, name);
}

} // namespace

std::vector<FilePlace> FilePlacesOfThisSystem() {
    std::vector<FilePlace> places{{QStringLiteral("/"), QStringLiteral("/")}};
    const auto known = [&places](const QString& root) {
        for (const FilePlace& place : places)
            if (place.root == root)
                return true;
        return false;
    };
    const QString home = QDir::cleanPath(QDir::homePath());
    if (!known(home))
        places.push_back({home, Labelled(home, QStringLiteral("Pasta pessoal"))});
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = QDir::cleanPath(volume.rootPath());
        // Devices only: the pseudo file systems of the kernel have no device
        // node, read-only images are packages rather than places for photos,
        // and a container mounts single files over others.
        // The boot partitions are the system's, not the operator's.
        if (!volume.isValid() || !volume.isReady() || volume.isReadOnly() ||
            !volume.device().startsWith("/dev/") || !QFileInfo(root).isDir() ||
            FolderLiesUnder(root, QStringLiteral("/boot")) || known(root))
            continue;
        places.push_back({root, Labelled(root, volume.displayName() == volume.rootPath()
                                                   ? QString()
                                                   : volume.displayName())});
    }
    return places;
}

int PlaceHolding(const std::vector<FilePlace>& places, const QString& folder) {
    int best = -1;
    for (int i = 0; i < static_cast<int>(places.size()); ++i) {
        const QString& root = places[static_cast<std::size_t>(i)].root;
        if (FolderLiesUnder(folder, root) &&
            (best < 0 || root.size() > places[static_cast<std::size_t>(best)].root.size()))
            best = i;
    }
    return best;
}

DriveSelector::DriveSelector(QWidget* parent, std::vector<FilePlace> places)
    : QComboBox(parent), places_(std::move(places)) {
    const QString home = QDir::cleanPath(QDir::homePath());
    for (const FilePlace& place : places_) {
        const auto icon = place.root == home ? QStyle::SP_DirHomeIcon : QStyle::SP_DriveHDIcon;
        addItem(style()->standardIcon(icon), place.label, place.root);
    }
    // Only the operator's choice signals: showFolder chooses quietly.
    connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0)
            emit driveChanged(itemData(index).toString());
    });
}

QString DriveSelector::drive() const {
    return currentData().toString();
}

void DriveSelector::showFolder(const QString& folder) {
    const int place = PlaceHolding(places_, QDir::cleanPath(folder));
    const QSignalBlocker quiet(this);
    setCurrentIndex(place < 0 ? 0 : place);
}

} // namespace tiravo
