#pragma once

#include "platform/PictureKinds.h"

#include <QByteArrayView>
#include <QString>

namespace tiravo {

// Qt's BMP and GIF readers show a file that ends too early as far as its data
// goes and leave the rest black, without a word, and libpng takes a chunk's
// declared length on trust, reserving gigabytes for a file of a few bytes.
// These checks walk the file's own structure to find such a cut or lie before
// the reader is asked.
//
// Why the file cannot be shown as the picture its header announces, in the
// words of the damaged-picture message; empty when nothing is found.
QString pictureFault(PictureKind kind, QByteArrayView bytes);

// False only when the file plainly ends before the picture its header
// announces: a header of a form not checked here passes, and the reader
// judges it.
bool pictureLooksComplete(PictureKind kind, QByteArrayView bytes);

bool bitmapLooksComplete(QByteArrayView bytes);
// The first image whole, with enough data to fill its area.
bool gifLooksComplete(QByteArrayView bytes);
// The first image covers most of a large screen.
bool gifCoversItsScreen(QByteArrayView bytes);
// Every chunk whole, up to the end chunk.
bool pngLooksComplete(QByteArrayView bytes);
// Every directory entry in the file, and every PNG picture inside whole.
bool iconLooksComplete(QByteArrayView bytes);

} // namespace tiravo
