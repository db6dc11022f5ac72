#pragma once

#include <QString>

namespace tiravo {

// The text the standard error box shows for an error message: the message
// itself, closed with a period when its last character sorts after "." by
// character code. Letters, digits, '?' and ':' sort after it and get the
// period; '!', ')' and '.' itself sort before or at it and are left alone.
// An empty message stays empty: a lone period would tell the operator nothing.
QString errorBoxText(const QString& message);

} // namespace tiravo
