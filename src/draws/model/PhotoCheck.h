#pragma once

#include <QString>
#include <QStringList>

namespace tiravo {

// A photo that the draw screen cannot show stops every draw whose frames
// pass over it, and its entrant could never win: such a file is refused when
// the editor adds it, by the checks the screen's loader makes.

struct CheckedPhotos {
    QStringList sound;   // in the order given
    QStringList refused; // likewise
};

// Sorts `paths` by whether the picture loader takes each file (CheckPicture).
CheckedPhotos CheckPhotos(const QStringList& paths);

// The operator's message naming the refused files, one to a line, by their
// file names; past kRefusedPhotosNamed of them, how many more there are.
QString RefusedPhotosMessage(const QStringList& refused);

inline constexpr int kRefusedPhotosNamed = 20;

} // namespace tiravo
