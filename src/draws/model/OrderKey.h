#pragma once

#include <QString>

namespace tiravo {

class Random;

// Four lower-case letters, each uniform over the 26: the random place of an
// entry in its pool view, which is sorted by this key.
QString NewOrderKey(Random& random);

} // namespace tiravo
