#include "support/FakeClock.h"

#include <QTimeZone>

namespace tiravo {

FakeClock::FakeClock() {
    set(QDate(2024, 2, 1), QTime(12, 0, 0));
}

void FakeClock::set(const QDate& date, const QTime& time) {
    now_ = QDateTime(date, time, QTimeZone::utc());
}

void FakeClock::setTime(const QTime& time) {
    set(now_.date(), time);
}

void FakeClock::advance(std::chrono::milliseconds by) {
    now_ = now_.addMSecs(by.count());
}

} // namespace tiravo
