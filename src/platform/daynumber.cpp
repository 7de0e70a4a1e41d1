#include "platform/daynumber.h"

#include <algorithm>
#include <cmath>

namespace {

const QDate kDayZero(1899, 12, 30);
// 1 January 100 and 31 December 9999, the range the family's programs can store.
constexpr double kFirstDay = -657434.0;
constexpr double kLastDay = 2958465.0;
constexpr int kSecondsPerDay = 86400;

} // namespace

namespace DayNumber {

double fromDate(const QDate& date)
{
    return static_cast<double>(kDayZero.daysTo(date));
}

double fromTime(const QTime& time)
{
    return static_cast<double>(time.msecsSinceStartOfDay() / 1000) / kSecondsPerDay;
}

QDate toDate(double dayNumber)
{
    if (!std::isfinite(dayNumber))
        return {};
    const double day = std::floor(dayNumber);
    if (day < kFirstDay || day > kLastDay)
        return {};
    return kDayZero.addDays(static_cast<qint64>(day));
}

QTime toTime(double value)
{
    const int seconds = secondOfDay(value);
    return seconds < 0 ? QTime() : QTime::fromMSecsSinceStartOfDay(seconds * 1000);
}

int secondOfDay(double value)
{
    if (!std::isfinite(value))
        return -1;
    const double fraction = value - std::floor(value);
    // Rounded half up by hand, which for these non-negative values is what lround() does
    // without its library call.
    const double exact = fraction * kSecondsPerDay;
    int seconds = static_cast<int>(exact);
    if (exact - seconds >= 0.5)
        ++seconds;
    return std::min(seconds, kSecondsPerDay - 1);
}

} // namespace DayNumber
