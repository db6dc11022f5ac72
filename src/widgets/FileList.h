#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace tiravo {

// The file list: the plain files of one folder that match a mask such as
// "*.jpg; *.gif;", sorted by name with letter case ignored, one selected at a
// time. The folder is read whole when shown, so the list is complete at once.
class FileList : public QListWidget {
    Q_OBJECT
public:
    FileList(QWidget* parent, QString mask);

    // Lists the matching files of `folder` and makes it the program's current
    // folder, so that the next browse starts where this one ended.
    void setDirectory(const QString& folder);
    const QString& directory() const { return directory_; }
    const QString& mask() const { return mask_; }

    // The listed names, in list order.
    const QStringList& fileNames() const { return names_; }
    // The full path of the listed file at `row`.
    QString filePath(int row) const;

private:
    QString mask_;
    QString directory_;
    QStringList names_;
};

} // namespace tiravo
