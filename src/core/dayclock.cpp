#include "core/dayclock.h"

#include <cmath>

namespace {
constexpr int kSecondsPerDay = 24 * 60 * 60;
}

int wholeSecondsOfDay(const QTime& time)
{
    return static_cast<int>(std::nearbyint(time.msecsSinceStartOfDay() / 1000.0));
}

int minutesSince(int startSeconds, const QTime& now)
{
    int seconds = wholeSecondsOfDay(now) - startSeconds;
    if (seconds < 0)
        seconds += kSecondsPerDay;
    return seconds / 60;
}
