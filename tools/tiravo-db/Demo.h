#pragma once

#include <QString>
#include <QStringList>

namespace tiravo {
class Connection;
class Random;
} // namespace tiravo

namespace tiravo::db {

struct DemoPictureFiles;

// Invented people, so that a demo shows nobody's real name.
const QStringList& DemoNames();

// The first contents of a demo file: the operator "demo" with the password
// "demo", the numbers 1 to 90, the names and the photos available, and the
// logos in the one picture settings row with no background of its own.
void FillDemo(Connection& connection, const DemoPictureFiles& pictures, Random& random);

} // namespace tiravo::db
