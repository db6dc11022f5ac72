#pragma once

#include <QString>

namespace tiravo {

// The 20-character database password, joined from its ten pieces each time it
// is asked for, so it never stands whole in the program file.
QString JoinDatabasePassword();

} // namespace tiravo
