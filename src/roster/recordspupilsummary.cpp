#include "roster/recordspupilsummary.h"

#include "records/records.h"

void RecordsPupilSummary::computeStatistics()
{
    m_records.computeStatistics();
}

PupilSums RecordsPupilSummary::sumsFor(int pupilNo) const
{
    PupilSums sums;
    if (!isValidPupilNo(pupilNo))
        return sums;
    const ResultTables& tables = m_records.tables();
    for (int item = 1; item <= kMaxItemNo; ++item) {
        sums.todayCount += tables.todayCount.at(item, pupilNo);
        sums.todayPoints += tables.todayPoints.at(item, pupilNo);
        sums.attemptCount += tables.attemptCount.at(item, pupilNo);
        sums.totalPoints += tables.totalPoints.at(item, pupilNo);
    }
    return sums;
}
