#include "widgets/FileList.h"

#include "platform/FolderListing.h"

#include <QDir>

namespace tiravo {

FileList::FileList(QWidget* parent, QString mask) : QListWidget(parent), mask_(std::move(mask)) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    // A folder of thousands of photos lays out at once.
    setUniformItemSizes(true);
}

void FileList::setDirectory(const QString& folder) {
    directory_ = QDir::cleanPath(QDir(folder).absolutePath());
    names_ = ListMatchingFiles(directory_, mask_);
    clear();
    addItems(names_);
    QDir::setCurrent(directory_);
}

QString FileList::filePath(int row) const {
    return JoinFolderAndName(directory_, names_.at(row));
}

} // namespace tiravo
