#pragma once

#include <QString>

#include <cstdint>

namespace tiravo::test {

// How many random trials a long test runs: the count from `variable` when it
// names a positive number, else `byDefault`, so that a longer run is asked for
// without a rebuild.
int TrialsAsked(const char* variable, int byDefault);

// The seed of a test's random moments: the one in `variable`, to repeat an
// earlier run, else a fresh one.
std::uint32_t SeedAsked(const char* variable);

// The text that opens the program's own kind of file at `path`.
QString ProgramConnectionText(const QString& path);

} // namespace tiravo::test
