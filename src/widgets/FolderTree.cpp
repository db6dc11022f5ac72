#include "widgets/FolderTree.h"

#include "platform/FolderListing.h"
#include "store/TextOrder.h"

#include <QDir>
#include <QHeaderView>
#include <QStyle>

namespace tiravo {

namespace {

constexpr int kPathRole = Qt::UserRole;

// The subfolders a person browses: not hidden ones, sorted as the file list
// sorts its files.
QStringList Subfolders(const QString& folder) {
    QStringList names = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::NoSort);
    SortTexts(names);
    return names;
}

} // namespace

FolderTree::FolderTree(QWidget* parent) : QTreeWidget(parent) {
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(10);
    setUniformRowHeights(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    header()->setStretchLastSection(true);
    connect(this, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) {
        const QString folder = folderOf(item);
        if (folder.isEmpty() || folder == directory_)
            return;
        setDirectory(root_, folder);
        emit directoryChanged(folder);
    });
}

QString FolderTree::folderOf(const QTreeWidgetItem* item) {
    return item ? item->data(0, kPathRole).toString() : QString();
}

QTreeWidgetItem* FolderTree::addFolder(QTreeWidgetItem* parent, const QString& path,
                                       const QString& name, bool opened) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    item->setText(0, name);
    item->setData(0, kPathRole, path);
    item->setIcon(
        0, style()->standardIcon(opened ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon));
    return item;
}

void FolderTree::setDirectory(const QString& root, const QString& folder) {
    directory_ = QDir::cleanPath(QDir(folder).absolutePath());
    root_ = QDir::cleanPath(root);
    if (root_.isEmpty() || !FolderLiesUnder(directory_, root_))
        root_ = QStringLiteral("/");

    clear();
    // The chain from the root down to the shown folder.
    QTreeWidgetItem* shown = addFolder(nullptr, root_, root_, true);
    const QString below = directory_.mid(root_.size());
    QString path = root_;
    for (const QString& name : below.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        path = JoinFolderAndName(path, name);
        shown = addFolder(shown, path, name, true);
    }
    for (const QString& name : Subfolders(directory_))
        addFolder(shown, JoinFolderAndName(directory_, name), name, false);
    expandAll();
    setCurrentItem(shown);
}

} // namespace tiravo
