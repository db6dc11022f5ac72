#pragma once

#include "platform/AppContext.h"
#include "platform/Services.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/FakePause.h"
#include "support/FakeRandom.h"
#include "support/FakeSound.h"

#include <deque>

namespace tiravo {

// Every fake service of a test in one place. Keep it alive for as long as the
// windows that were given services() live.
class TestServices {
public:
    TestServices() = default;
    TestServices(const TestServices&) = delete;
    TestServices& operator=(const TestServices&) = delete;

    Services services() { return {clock, pause, dialogs, desktop, random, sound}; }
    // A context over `connection` with these services, kept as long as this
    // object: what the program entry would hand every window.
    AppContext& context(Connection& connection) {
        return contexts_.emplace_back(connection, services());
    }
    // A context with a connection of its own, closed: the program's, for the
    // main window to open.
    AppContext& programContext() { return contexts_.emplace_back(services()); }

    FakeClock clock;
    FakePause pause;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeRandom random;
    FakeSound sound;

private:
    std::deque<AppContext> contexts_;
};

} // namespace tiravo
