#pragma once

#include <QDateTime>
#include <QString>

namespace tiravo {

// The local date and time of day. The draws read fixed character positions of
// the written forms (the tens digit of the seconds is index 6 of timeText()),
// so the forms are fixed too and never follow the regional settings.
class Clock {
public:
    virtual ~Clock() = default;

    virtual QDateTime now() const = 0;

    // Each call reads the clock afresh, as a second reading does in the draws.
    QString dateText() const; // dd/mm/yyyy
    QString timeText() const; // hh:nn:ss, 24-hour

    static QString dateText(const QDate& date);
    static QString timeText(const QTime& time);
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override;
};

} // namespace tiravo
