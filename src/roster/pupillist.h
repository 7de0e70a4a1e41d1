#pragma once

#include "roster/pupilsummary.h"
#include "roster/rosterentry.h"

#include <QString>
#include <QStringList>

#include <vector>

// The rows of the name selection list. Each listed pupil has a sort item
//   <birth year><grade label> <name><full-width padding><left column>/<right column>*<pupilNo>
// whose order (by the bytes of the Windows Japanese code page, so names fall in reading order)
// is the order of the rows. The visible row drops the year and the "*" part; the key item
// keeps the "*" and the number.

// Display modes: which two sums the row shows.
enum DisplayMode {
    TodayCountAllCount = 0,
    TodayPointsAllPoints = 1,
    TodayPointsTodayCount = 2,
    AllPointsAllCount = 3
};

// The column texts of one sum; each has the same width in the fixed-pitch font whether the sum
// is 0 or not.
QString todayCountColumn(double sum);
QString todayPointsColumn(qint64 sum);
QString attemptCountColumn(qint64 sum);
QString totalPointsColumn(qint64 sum);

struct PupilRow
{
    QString sortItem;
    int yearLength = 4; // characters of the birth year at the front of the sort item
    int gradeNo = 0;
};

PupilRow makePupilRow(const RosterEntry& entry, int schoolYear, const PupilSums& sums,
                      int displayMode);

// Sorts rows by the code-page bytes of their sort items; equal items keep their order.
void sortPupilRows(std::vector<PupilRow>& rows);

QString visibleRow(const PupilRow& row);
QString keyItem(const PupilRow& row);

inline const QString kSeparatorRow = QStringLiteral("－－－－－－");
