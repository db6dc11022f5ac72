#include "platform/ErrorText.h"

namespace tiravo {

QString errorBoxText(const QString& message) {
    if (message.isEmpty() || message.back() <= QLatin1Char('.'))
        return message;
    return message + QLatin1Char('.');
}

} // namespace tiravo
