#pragma once

#include <functional>

namespace tiravo {

class Dialogs;

// Every handler runs through here: an error ends the handler where it stands
// and is shown in the standard error box; what was stored stays stored and
// the program goes on. Returns false when the handler ended in an error.
bool RunGuarded(Dialogs& dialogs, const std::function<void()>& handler);

} // namespace tiravo
