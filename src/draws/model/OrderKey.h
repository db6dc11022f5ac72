#pragma once

#include <QString>

namespace tiravo {

class Random;

// Four lower-case letters, each uniform over the 26: the random place of an
// entry in its pool view, which is sorted by this key.
QString NewOrderKey(Random& random);

// A key built right after fresh entropy, for the sites whose keys must not
// follow from the ones before them (the reshuffle, a range of numbers, a
// release).
QString NewReseededOrderKey(Random& random);

} // namespace tiravo
