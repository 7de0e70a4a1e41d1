#pragma once

#include <QtGlobal>

// A pupil's results added up over every drill item: today's attempts and points, all-time
// attempts and points. These are the summary columns of the name selection screen.
struct PupilSums
{
    double todayCount = 0;
    qint64 todayPoints = 0;
    qint64 attemptCount = 0;
    qint64 totalPoints = 0;
};

// Where the sums come from: the statistics computed from the result file.
class PupilSummary
{
public:
    virtual ~PupilSummary() = default;
    // Recomputes the statistics from the result file.
    virtual void computeStatistics() = 0;
    virtual PupilSums sumsFor(int pupilNo) const = 0;
};
