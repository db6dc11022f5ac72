#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>

namespace tiravo::artwork {

// Each function draws one of the program's built-in pictures at the size its
// window shows it.

QImage paintSunrise(QSize size);     // the main window's built-in background
QImage paintLogin(QSize size);       // the login window's picture
QImage paintTeaser(QSize size);      // "who will it be?" of the number and name draws
QImage paintCrowdTeaser(QSize size); // "who will it be?" of the photo draw
QImage paintFrame(QSize size);       // the empty panel a winner is shown on
QImage paintMakerLogo(QSize size);   // the maker's logo of the draw screens
QImage paintAboutCard(QSize size);   // the about window's card

// Toolbar pictures, all square.
QImage paintCardsIcon(int size);
QImage paintPencilIcon(int size);
QImage paintPeopleIcon(int size);
QImage paintFolderIcon(int size);
QImage paintKeyIcon(int size);
QImage paintMakerIcon(int size);
QImage paintCrossIcon(int size);

// The program's own icon, for the desktop's menus and windows.
QImage paintProgramIcon(int size);

// The draw's sounds, as WAV files.
QByteArray synthDrumRoll(); // over the frames, repeated until the teaser
QByteArray synthFanfare();  // on the reveal

} // namespace tiravo::artwork
