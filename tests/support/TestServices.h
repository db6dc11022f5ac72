#pragma once

#include "platform/Services.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeDialogs.h"
#include "support/FakePause.h"
#include "support/FakeRandom.h"

namespace tiravo {

// Every fake service of a test in one place. Keep it alive for as long as the
// windows that were given services() live.
class TestServices {
public:
    TestServices() = default;
    TestServices(const TestServices&) = delete;
    TestServices& operator=(const TestServices&) = delete;

    Services services() { return {clock, pause, dialogs, desktop, random}; }

    FakeClock clock;
    FakePause pause;
    FakeDialogs dialogs;
    FakeDesktop desktop;
    FakeRandom random;
};

} // namespace tiravo
