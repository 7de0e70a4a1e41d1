#include "platform/daynumber.h"

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

} // namespace DayNumber
