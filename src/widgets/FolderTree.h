#pragma once

#include <QString>
#include <QTreeWidget>

namespace tiravo {

// The folder tree: the folders from a place's root down to the shown folder,
// opened one under the other, and below the shown folder its own subfolders.
// Opening a folder (double click or Enter) shows it. The folders are read
// when shown, so the tree is complete at once.
class FolderTree : public QTreeWidget {
    Q_OBJECT
public:
    explicit FolderTree(QWidget* parent);

    // Shows `folder` under `root`; from the root folder of the system when it
    // does not lie under `root`. Does not signal.
    void setDirectory(const QString& root, const QString& folder);
    const QString& directory() const { return directory_; }
    const QString& root() const { return root_; }

    // The folder of an entry of the tree.
    static QString folderOf(const QTreeWidgetItem* item);

signals:
    // The operator opened another folder.
    void directoryChanged(const QString& folder);

protected:
    // Every folder shown is open: no branch marks to open or close them by.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override {}

private:
    QTreeWidgetItem* addFolder(QTreeWidgetItem* parent, const QString& path, const QString& name,
                               bool opened);

    QString root_;
    QString directory_;
};

} // namespace tiravo
