#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace tiravo {

// Where the demo's pictures go, beside the database file.
struct DemoPictureFiles {
    QStringList photos; // JPEG, 800 by 600
    QStringList logos;  // PNG, 200 by 150, one per partner
};

inline constexpr int kDemoPhotoCount = 12;

DemoPictureFiles DemoPicturePaths(const QString& databasePath);

// Drawing text needs a QGuiApplication for its fonts.
QImage DrawDemoPhoto(int index);
QImage DrawDemoLogo(int index);

// Draws every picture and writes it, replacing what is there; throws Error
// when a file cannot be written.
void WriteDemoPictures(const DemoPictureFiles& files);

} // namespace tiravo
