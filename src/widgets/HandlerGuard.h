#pragma once

#include <functional>

namespace tiravo {

class Dialogs;

// Every handler runs through here: an error ends the handler where it stands
// and is shown in the standard error box; what was stored stays stored and
// the program goes on. Returns false when the handler ended in an error.
bool RunGuarded(Dialogs& dialogs, const std::function<void()>& handler);

// A window's key handler run through the guard; a key whose handler failed
// is not swallowed.
template <class Handler> auto GuardedKeys(Dialogs& dialogs, Handler handler) {
    return [&dialogs, handler](auto* key) {
        bool swallowed = false;
        RunGuarded(dialogs, [&] { swallowed = handler(key); });
        return swallowed;
    };
}

} // namespace tiravo
