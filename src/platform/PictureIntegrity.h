#pragma once

#include "platform/PictureKinds.h"

#include <QByteArrayView>

namespace tiravo {

// Qt's BMP and GIF readers show a file that ends too early as far as its data
// goes and leave the rest black, without a word. These checks walk the file's
// own structure to find such a cut before the reader is asked.
//
// False only when the file plainly ends before the picture its header
// announces: a header of a form not checked here passes, and the reader
// judges it.
bool pictureLooksComplete(PictureKind kind, QByteArrayView bytes);

bool bitmapLooksComplete(QByteArrayView bytes);
bool gifLooksComplete(QByteArrayView bytes);

} // namespace tiravo
