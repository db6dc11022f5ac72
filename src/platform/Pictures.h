#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace tiravo {

// Picture files as the operator supplies them, referenced by path and read
// anew each time they are shown.
//
// The file-name extension, compared without regard to letter case, decides
// whether a file is a picture at all: bmp, jpg, jpeg, gif, png, tif, tiff,
// ico, emf and wmf are; any other extension fails with "Unknown picture file
// extension (.ext)". The contents decide how it is decoded: a photo saved as
// PNG but named .jpg shows, as it does in every other viewer, instead of
// failing on a name the operator may never have chosen. JPEG goes through
// libjpeg, everything else through Qt's image readers.
//
// A truncated or damaged file fails rather than showing with grey or black
// where its data ran out. Only a regular file is read, directly or through
// links: a device or a pipe named as a picture would be read without end or
// hold the window. Every failure throws Error with a text that names the
// file; what follows a failed load is the caller's to decide.

QImage LoadPicture(const QString& path);

// The picture no larger than a box of `box` needs to show it: a picture
// bigger than the box comes back at the size the box would show it (its own
// size scaled by `mode`, proportions kept unless the mode ignores them); one
// that fits already comes back at its own size. A JPEG is decoded straight at
// a reduced scale, so a camera photo shown in a 640 x 480 box costs well under
// half of its full decode. An empty box asks for the picture at its own size.
QImage LoadPictureToFit(const QString& path, QSize box,
                        Qt::AspectRatioMode mode = Qt::KeepAspectRatio);

// Throws the Error LoadPicture would throw for `path`, if any, at a fraction
// of its cost: the file goes through every check of the loader, and a JPEG is
// decoded at an eighth of its size, which still reads every byte of its data
// (a cut or a corrupt stretch fails as it would at full size) but computes
// one pixel in 64. The other kinds are decoded whole: their readers have no
// cheaper way through all of their data.
void CheckPicture(const QString& path);

} // namespace tiravo
