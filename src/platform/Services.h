#pragma once

#include "platform/Sound.h"

namespace tiravo {

class Clock;
class Desktop;
class Dialogs;
class Pause;
class Random;

// The outside world as the windows see it. The program entry hands every
// window the real services; a test hands it fakes, which is why no window
// reaches for the clock, a message box or a sleep on its own. The services
// outlive every window that holds this bundle.
struct Services {
    Clock& clock;
    Pause& pause;
    Dialogs& dialogs;
    Desktop& desktop;
    Random& random;
    // Silent unless the program entry or a test gives one.
    Sound& sound = NoSound();
};

} // namespace tiravo
