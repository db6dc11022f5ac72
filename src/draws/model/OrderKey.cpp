#include "draws/model/OrderKey.h"

#include "platform/Random.h"

namespace tiravo {

QString NewOrderKey(Random& random) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz";
    QString key;
    key.reserve(4);
    for (int i = 0; i < 4; ++i)
        key += QLatin1Char(letters[random.letterIndex()]);
    return key;
}

QString NewReseededOrderKey(Random& random) {
    random.reseed();
    return NewOrderKey(random);
}

} // namespace tiravo
