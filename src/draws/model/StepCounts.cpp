#include "draws/model/StepCounts.h"

#include "common/Error.h"
#include "platform/Clock.h"

#include <array>

namespace tiravo {

int DigitsAt(const QString& text, int position, int count) {
    const QString digits = text.mid(position, count);
    bool whole = digits.size() == count;
    int value = 0;
    for (const QChar c : digits) {
        whole = whole && c >= u'0' && c <= u'9';
        value = value * 10 + (c.unicode() - u'0');
    }
    if (!whole)
        throw Error(QStringLiteral("'%1' is not a valid integer value").arg(digits));
    return value;
}

int TensOfSecondsStepCount(const Clock& clock) {
    static constexpr std::array<int, 6> steps{3, 5, 7, 4, 6, 8};
    const QString time = clock.timeText();
    const int tens = DigitsAt(time, 6, 1);
    if (tens >= static_cast<int>(steps.size()))
        throw Error(QStringLiteral("'%1' is not a valid time").arg(time));
    return steps[static_cast<std::size_t>(tens)];
}

int SecondsStepCount(const Clock& clock) {
    const int seconds = DigitsAt(clock.timeText(), 6, 2);
    if (seconds > 7)
        return seconds;
    return seconds % 2 == 0 ? 10 : 11;
}

int DayMinutesSecondsStepCount(const Clock& clock) {
    const int day = DigitsAt(clock.dateText(), 0, 2);
    const int minutes = DigitsAt(clock.timeText(), 3, 2);
    const int seconds = DigitsAt(clock.timeText(), 6, 2);
    return day + minutes + seconds;
}

} // namespace tiravo
