#pragma once

#include "draws/model/DemoPictures.h"

#include <QString>
#include <QStringList>

namespace tiravo {

class Connection;
class Random;

// Invented people, so that a demo shows nobody's real name.
const QStringList& DemoNames();

// The first contents of a demo file: the operator "demo" with the password
// "demo", the numbers 1 to 90, the names and the photos available, and the
// logos in the one picture settings row with no background of its own.
void FillDemo(Connection& connection, const DemoPictureFiles& pictures, Random& random);

// A file to try the program with at `path`, its pictures written beside it in
// "demo/" (see BuildDatabaseFile for `force`, the folder and a file made
// meanwhile). Drawing the pictures needs a QGuiApplication. Answers where
// the pictures went.
DemoPictureFiles BuildDemoFile(const QString& path, bool force, Random& random);

} // namespace tiravo
