#pragma once

#include <QDate>
#include <QTime>

#include <algorithm>
#include <cmath>

// Dates and times as the record files store them, shared with other programs of the family:
// a date is a whole day number counted from 30 December 1899 (= 0), a time of day is the
// fraction of a day (0 <= value < 1) in whole seconds.
namespace DayNumber {

// Day 0 (30 December 1899) as a Julian day number, for arithmetic on days without QDate.
inline constexpr qint64 kDayZeroJulianDay = 2415019;

double fromDate(const QDate& date);
double fromTime(const QTime& time);

// The date of the whole part of a value; invalid for a value that is not finite or lies
// outside the years 100 to 9999, as a damaged record may hold.
QDate toDate(double dayNumber);
// The time of the fractional part of a value, to the nearest second; invalid for a value
// that is not finite.
QTime toTime(double value);
// The same as seconds since midnight (0 to 86399), or -1 where toTime() is invalid: for
// callers that format a great many times and want no QTime on the way (hence inline).
inline int secondOfDay(double value)
{
    constexpr int kSecondsPerDay = 86400;
    if (!std::isfinite(value))
        return -1;
    // Stored times are fractions already; only other values need their whole part taken off.
    const double fraction = value >= 0 && value < 1 ? value : value - std::floor(value);
    // Rounded half up by hand, which for these non-negative values is what lround() does
    // without its library call.
    const double exact = fraction * kSecondsPerDay;
    int seconds = static_cast<int>(exact);
    if (exact - seconds >= 0.5)
        ++seconds;
    return std::min(seconds, kSecondsPerDay - 1);
}

} // namespace DayNumber
