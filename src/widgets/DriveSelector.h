#pragma once

#include <QComboBox>
#include <QString>

#include <vector>

namespace tiravo {

// A place that holds files, as the drive selector offers it.
struct FilePlace {
    QString root;  // its top folder
    QString label; // what the operator reads
};

// The places of this system that hold the operator's files: the root folder,
// the home folder and the mounted volumes of real devices (no pseudo file
// systems, no read-only images, no single files mounted over others).
std::vector<FilePlace> FilePlacesOfThisSystem();

// The place that holds `folder`: the one whose root it lies deepest under, or
// -1 when none does.
int PlaceHolding(const std::vector<FilePlace>& places, const QString& folder);

// The drive selector: one entry per place that holds files.
class DriveSelector : public QComboBox {
    Q_OBJECT
public:
    explicit DriveSelector(QWidget* parent,
                           std::vector<FilePlace> places = FilePlacesOfThisSystem());

    // The root folder of the chosen place.
    QString drive() const;
    // Chooses the place that holds `folder`, without signalling.
    void showFolder(const QString& folder);

signals:
    // The operator chose another place.
    void driveChanged(const QString& root);

private:
    std::vector<FilePlace> places_;
};

} // namespace tiravo
