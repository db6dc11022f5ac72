#pragma once

#include "platform/Clock.h"
#include "platform/Desktop.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "platform/Sound.h"
#include "platform/ui/MessageBoxDialogs.h"
#include "platform/ui/RepaintPause.h"

namespace tiravo {

// The services of a real run, built once by the program entry and kept for
// the whole run.
class RealServices {
public:
    RealServices() = default;
    RealServices(const RealServices&) = delete;
    RealServices& operator=(const RealServices&) = delete;

    Services services() { return {clock_, pause_, dialogs_, desktop_, random_, sound_}; }

private:
    SystemClock clock_;
    RepaintPause pause_;
    MessageBoxDialogs dialogs_;
    SystemDesktop desktop_;
    SystemRandom random_;
    SystemSound sound_;
};

} // namespace tiravo
