#pragma once

#include <QtGlobal>

class Clock;
class ResultLoader;
struct ResultTables;
struct SharedState;

// Counts, points and average times per pupil and item, for today, two recent windows and all
// time, rebuilt from the result file each time a screen needs them.
class ResultStatistics
{
public:
    static constexpr qint32 kCountedBelow = 6000; // results from here on are not counted

    ResultStatistics(const SharedState& state, ResultTables& tables, ResultLoader& loader,
                     const Clock& clock)
        : m_state(state), m_tables(tables), m_loader(loader), m_clock(clock)
    {
    }

    // Reloads the result records and refills every statistics table.
    void computeStatistics();

    // Points of one result on an item, with the item's target time and multiplier; 0 for an
    // item outside 1..35.
    qint32 pointsFor(qint32 result, int item) const;

    // Points of a result against a target time T: more than 10 T earns nothing, up to 10 T
    // one point, up to 2 T four points, and T or less from 5 up to 55 on a cubic curve.
    // A time-over (above 99997) earns nothing. The base is multiplied in single precision.
    static qint32 pointsFor(qint32 result, qint32 targetTime, float multiplier);

    // The time value that the time sums add up: the number formed by the first three
    // characters of the result in decimal, so 99999 adds 999.
    static qint32 timeValue(qint32 result);

private:
    void clearTables();

    const SharedState& m_state;
    ResultTables& m_tables;
    ResultLoader& m_loader;
    const Clock& m_clock;
};
