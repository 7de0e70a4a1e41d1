#include "records/resultstatistics.h"

#include "core/fieldreader.h"
#include "core/sharedstate.h"
#include "platform/clock.h"
#include "platform/daynumber.h"
#include "records/resultloader.h"
#include "records/resulttables.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr qint32 kLastTimedResult = 99997; // above: a time-over

// The integer below a value, kept within 32 bits; nothing for a value that is not a number.
qint32 cutToInteger(double value)
{
    if (!std::isfinite(value))
        return 0;
    const double below = std::floor(value);
    if (below <= std::numeric_limits<qint32>::min())
        return std::numeric_limits<qint32>::min();
    if (below >= std::numeric_limits<qint32>::max())
        return std::numeric_limits<qint32>::max();
    return static_cast<qint32>(below);
}

// Rounds a quotient half up, as the averages are shown.
float roundedAverage(double sum, double count)
{
    return static_cast<float>(std::floor(sum / count + 0.5));
}

} // namespace

qint32 ResultStatistics::timeValue(qint32 result)
{
    // Three characters: three digits, or a minus sign and two digits.
    qint64 value = result;
    const qint64 limit = value < 0 ? 100 : 1000;
    while (std::abs(value) >= limit)
        value /= 10;
    return static_cast<qint32>(value);
}

qint32 ResultStatistics::pointsFor(qint32 result, qint32 targetTime, float multiplier)
{
    const qint64 r = result;
    const qint64 t = targetTime;
    int base = 0;
    if (r > t) {
        if (r < 2 * t)
            base = 4;
        else if (r < 10 * t)
            base = 1;
    } else if (t > 0) {
        // The result itself, not its time value: a target of 1000 seconds or more must not
        // turn a slow result into nearly full points. No result is faster than 0.
        const double share = static_cast<double>(t - std::max<qint64>(r, 0)) / t;
        base = static_cast<int>(std::floor(share * share * share * 50 + 5));
    }
    if (r > kLastTimedResult)
        base = 0;
    // Single precision, as the multiplier is stored: 5 x 1.4 must give 7, not 6.
    const float product = static_cast<float>(base) * multiplier;
    return cutToInteger(product);
}

qint32 ResultStatistics::pointsFor(qint32 result, int item) const
{
    if (!isValidItemNo(item))
        return 0;
    return pointsFor(result, m_state.itemTargetTime[item], m_state.itemField5[item]);
}

void ResultStatistics::clearTables()
{
    m_tables.attemptCount.clear();
    m_tables.timeSum.clear();
    m_tables.averageTime.clear();
    m_tables.totalPoints.clear();
    m_tables.recentCountA.clear();
    m_tables.recentPointsA.clear();
    m_tables.recentCountB.clear();
    m_tables.recentPointsB.clear();
    m_tables.todayCount.clear();
    m_tables.todayTimeSum.clear();
    m_tables.todayPoints.clear();
    m_tables.todayAverage.clear();
}

void ResultStatistics::computeStatistics()
{
    clearTables();
    m_loader.loadResultRecords(m_tables);

    const QDateTime now = m_clock.now();
    const double today = DayNumber::fromDate(now.date());
    const double nowValue = today + DayNumber::fromTime(now.time());
    // A window of n days takes today and the n - 1 days before it.
    ItemTable<double> windowAFrom;
    ItemTable<double> windowBFrom;
    for (int i = 1; i <= kMaxItemNo; ++i) {
        windowAFrom[i] = nowValue - FieldReader::leadingNumber(m_state.itemText8[i]);
        windowBFrom[i] = nowValue - FieldReader::leadingNumber(m_state.itemText9[i]);
    }

    for (const LoadedRecord& record : m_tables.loaded) {
        const int p = record.pupil;
        const int i = record.item;
        if (!isValidPupilNo(p) || !isValidItemNo(i))
            continue;
        const qint32 r = record.result;
        const bool counted = r < kCountedBelow;
        const qint32 points = pointsFor(r, i);
        const qint32 time = timeValue(r);

        if (counted)
            ++m_tables.attemptCount.at(i, p);
        if (record.date > windowAFrom[i]) {
            m_tables.recentCountA.at(i, p) += counted ? 1 : 0;
            m_tables.recentPointsA.at(i, p) += points;
        }
        if (record.date > windowBFrom[i]) {
            m_tables.recentCountB.at(i, p) += counted ? 1 : 0;
            m_tables.recentPointsB.at(i, p) += points;
        }
        m_tables.totalPoints.at(i, p) += points;
        m_tables.timeSum.at(i, p) += time;
        if (record.date == today) {
            m_tables.todayCount.at(i, p) += counted ? 1 : 0;
            m_tables.todayTimeSum.at(i, p) += static_cast<float>(time);
            m_tables.todayPoints.at(i, p) += points;
        }
    }

    // Only entries with records can have an average; the rest stay 0.
    for (const LoadedRecord& record : m_tables.loaded) {
        const int p = record.pupil;
        const int i = record.item;
        if (!isValidPupilNo(p) || !isValidItemNo(i))
            continue;
        if (const qint16 count = m_tables.attemptCount.at(i, p); count > 0)
            m_tables.averageTime.at(i, p) = roundedAverage(m_tables.timeSum.at(i, p), count);
        if (const float count = m_tables.todayCount.at(i, p); count >= 1)
            m_tables.todayAverage.at(i, p) = roundedAverage(m_tables.todayTimeSum.at(i, p), count);
    }
}
