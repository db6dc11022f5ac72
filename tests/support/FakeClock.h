#pragma once

#include "platform/Clock.h"

#include <chrono>

namespace tiravo {

// A wall clock that stands where the test puts it. Its time is a plain
// date and time of day, free of daylight-saving jumps.
class FakeClock final : public Clock {
public:
    FakeClock(); // 01/02/2024 12:00:00

    QDateTime now() const override { return now_; }

    void set(const QDate& date, const QTime& time);
    void setTime(const QTime& time); // keeps the date
    void advance(std::chrono::milliseconds by);

private:
    QDateTime now_;
};

} // namespace tiravo
