#include "platform/daynumber.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(DayNumber, DatesCountDaysFromTheLastDaysOf1899)
{
    EXPECT_EQ(DayNumber::fromDate(QDate(1899, 12, 30)), 0.0);
    EXPECT_EQ(DayNumber::fromDate(QDate(1900, 1, 1)), 2.0);
    EXPECT_EQ(DayNumber::fromDate(QDate(2000, 1, 1)), 36526.0);
    EXPECT_EQ(DayNumber::fromDate(QDate(2026, 4, 10)), 46122.0);
    EXPECT_EQ(DayNumber::fromDate(QDate(1899, 12, 1)), -29.0);

    EXPECT_EQ(DayNumber::toDate(46122.0), QDate(2026, 4, 10));
    EXPECT_EQ(DayNumber::toDate(46122.75), QDate(2026, 4, 10));
    EXPECT_EQ(DayNumber::toDate(-29.0), QDate(1899, 12, 1));
}

TEST(DayNumber, TimesAreFractionsOfTheDayInWholeSeconds)
{
    EXPECT_EQ(DayNumber::fromTime(QTime(0, 0)), 0.0);
    EXPECT_EQ(DayNumber::fromTime(QTime(6, 0)), 0.25);
    EXPECT_EQ(DayNumber::fromTime(QTime(18, 0)), 0.75);
    EXPECT_EQ(DayNumber::fromTime(QTime(18, 0, 0, 999)), 0.75);
    EXPECT_EQ(DayNumber::toTime(46122.75), QTime(18, 0));
}

TEST(DayNumber, EverySecondOfTheDayComesBackUnchanged)
{
    for (int second = 0; second < 86400; ++second) {
        const QTime time = QTime::fromMSecsSinceStartOfDay(second * 1000);
        const double fraction = DayNumber::fromTime(time);
        ASSERT_GE(fraction, 0.0);
        ASSERT_LT(fraction, 1.0);
        ASSERT_EQ(DayNumber::toTime(fraction), time) << second;
        ASSERT_EQ(DayNumber::toTime(46122.0 + fraction), time) << second;
    }
}

TEST(DayNumber, DamagedValuesGiveNoDateInsteadOfGarbage)
{
    const double damaged[] = {std::numeric_limits<double>::quiet_NaN(),
                              std::numeric_limits<double>::infinity(),
                              -std::numeric_limits<double>::infinity(),
                              1e300,
                              -1e300,
                              3e6};
    for (const double value : damaged)
        EXPECT_FALSE(DayNumber::toDate(value).isValid()) << value;
    EXPECT_FALSE(DayNumber::toTime(std::numeric_limits<double>::quiet_NaN()).isValid());
    EXPECT_TRUE(DayNumber::toTime(1e300).isValid());
    EXPECT_EQ(DayNumber::toTime(0.9999999999), QTime(23, 59, 59));
}
