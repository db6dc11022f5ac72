#pragma once

#include "platform/AppContext.h"
#include "platform/Clock.h"
#include "platform/Random.h"
#include "platform/Services.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/FakePause.h"

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

} // namespace tiravo
