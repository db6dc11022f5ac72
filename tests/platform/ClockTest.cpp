#include "platform/Clock.h"
#include "support/FakeClock.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace tiravo {
namespace {

TEST(ClockText, IsZeroPaddedDayFirstAnd24Hour) {
    EXPECT_EQ(Clock::dateText(QDate(2024, 3, 5)), QStringLiteral("05/03/2024"));
    EXPECT_EQ(Clock::timeText(QTime(9, 5, 7)), QStringLiteral("09:05:07"));
    EXPECT_EQ(Clock::timeText(QTime(0, 0, 0)), QStringLiteral("00:00:00"));
    EXPECT_EQ(Clock::timeText(QTime(23, 59, 59, 999)), QStringLiteral("23:59:59"));
}

TEST(ClockText, IgnoresTheRegionalSettings) {
    // The draws read digits at fixed places, whatever the desktop's language.
    const QLocale previous;
    for (const char* name : {"ar_EG", "fa_IR", "en_US", "pt_BR"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        EXPECT_EQ(Clock::timeText(QTime(18, 4, 37)), QStringLiteral("18:04:37")) << name;
        EXPECT_EQ(Clock::dateText(QDate(2024, 12, 31)), QStringLiteral("31/12/2024")) << name;
    }
    QLocale::setDefault(previous);
}

TEST(FakeClock, StandsStillUntilMovedAndCarriesOverMidnight) {
    FakeClock clock;
    clock.set(QDate(2024, 2, 28), QTime(23, 59, 58));
    EXPECT_EQ(clock.timeText(), clock.timeText());
    clock.advance(std::chrono::seconds(2));
    EXPECT_EQ(clock.dateText(), QStringLiteral("29/02/2024"));
    EXPECT_EQ(clock.timeText(), QStringLiteral("00:00:00"));
    clock.setTime(QTime(12, 0, 37));
    EXPECT_EQ(clock.timeText().at(6), QLatin1Char('3'));
    EXPECT_EQ(clock.dateText(), QStringLiteral("29/02/2024"));
}

TEST(SystemClock, ReadsTheLocalTime) {
    SystemClock clock;
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = clock.now();
    EXPECT_EQ(now.timeSpec(), Qt::LocalTime);
    EXPECT_LE(before.msecsTo(now), 1000);
    EXPECT_GE(before.msecsTo(now), 0);
}

} // namespace
} // namespace tiravo
