#pragma once

#include <QImage>
#include <QString>

namespace tiravo {

// Registers the built-in pictures; the library is static, so the program and
// the tests call this once before the first picture is read. Safe to repeat.
void InitResources();

// A built-in picture by its file name, e.g. "teaser.png".
QImage BuiltInPicture(const QString& name);
QString BuiltInPicturePath(const QString& name);

} // namespace tiravo
