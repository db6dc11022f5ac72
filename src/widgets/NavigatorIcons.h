#pragma once

#include "widgets/DataNavigator.h"

#include <QIcon>

namespace tiravo {

// The small black glyphs of a record navigator, drawn rather than shipped
// so they stay sharp at any screen scale.
QIcon NavigatorIcon(NavigatorButton which);

} // namespace tiravo
