#pragma once

#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "platform/ui/RepaintPause.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/FakePause.h"

#include "PauseOverhead.h"

#include <deque>

namespace tiravo {

// The services a benchmark hands a window: the real clock and randomness,
// whose cost belongs to the figure, and fakes for what would wait or ask.
struct BenchServices {
    SystemClock clock;
    FakePause pause;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    SystemRandom random;
    Services services() { return {clock, pause, dialogs, desktop, random}; }
    AppContext& context(Connection& connection) {
        return contexts.emplace_back(connection, services());
    }
    AppContext& programContext() { return contexts.emplace_back(services()); }
    std::deque<AppContext> contexts;
};

// The services of a draw timed with its real pauses on a shown screen: what
// the audience would wait for is real, only the questions are fakes.
struct RealPauseServices {
    SystemClock clock;
    RepaintPause repaint;
    FirstFramePause pause{repaint};
    FakeDialogs dialogs;
    FakeDesktop desktop;
    SystemRandom random;
    Services services() { return {clock, pause, dialogs, desktop, random}; }
};

} // namespace tiravo
