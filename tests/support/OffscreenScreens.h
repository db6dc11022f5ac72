#pragma once

#include <QRect>

#include <initializer_list>

namespace tiravo::test {

// Gives Qt's offscreen platform these screens (the first is the primary),
// unless a developer picked another platform. Call it before the application
// object exists, from a static initialiser of the test or benchmark that
// needs them; true once the platform is set.
bool UseOffscreenScreens(std::initializer_list<QRect> screens);

} // namespace tiravo::test
