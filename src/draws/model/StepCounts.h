#pragma once

#include <QString>

namespace tiravo {

class Clock;

// The step counts the draws take from the time of day. They read fixed
// character positions of the written date (dd/mm/yyyy) and time (hh:nn:ss),
// counted from 0 here.

// The whole number written at `position` over `count` characters; anything
// but digits there fails with the conversion's own message.
int DigitsAt(const QString& text, int position, int count);

// The number screen: the tens digit of the seconds, 0 to 5, picks 3, 5, 7, 4,
// 6 or 8 skip steps.
int TensOfSecondsStepCount(const Clock& clock);

// The name and photo screens: the seconds, 8 to 59 as they are, while 0 to 7
// become 10 (even) or 11 (odd).
int SecondsStepCount(const Clock& clock);

// The hidden picks: day of the month + minutes + seconds, the seconds read
// from the clock a second time; between 1 and 149.
int DayMinutesSecondsStepCount(const Clock& clock);

} // namespace tiravo
