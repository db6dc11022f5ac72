#include "platform/Clock.h"

namespace tiravo {

QString Clock::dateText() const {
    return dateText(now().date());
}

QString Clock::timeText() const {
    return timeText(now().time());
}

// Qt's format strings are locale-independent, so these never pick up regional
// digits or separators.
QString Clock::dateText(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

QString Clock::timeText(const QTime& time) {
    return time.toString(QStringLiteral("hh:mm:ss"));
}

QDateTime SystemClock::now() const {
    return QDateTime::currentDateTime();
}

} // namespace tiravo
