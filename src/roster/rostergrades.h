#pragma once

#include <QDate>
#include <QString>

// The school year of a date: its calendar year, or the year before in the months before the
// school year starts.
int schoolYearOf(const QDate& today, int schoolYearStartMonth);

// 1 is the first year of elementary school, 7 of junior high school, 10 of high school.
inline int gradeNoOf(int schoolYear, int birthYear)
{
    return schoolYear - birthYear - 6;
}

// The label of a name screen row, with half-width digits: "幼-", "幼1".."幼3", "小1".."小6",
// "中1".."中3", "高1".."高3", "大+".
QString rowGradeLabel(int gradeNo);

// Whether a row label is one of the kindergarten labels, whose rows get a wider name column.
bool isKindergartenLabel(const QString& rowLabel);

// The full-width label kept per pupil ("幼３", "小１".."小６", "中１".."中３", "高１"); an
// empty text for any other grade, whose entry is then left as it was.
QString fullWidthGradeLabel(int gradeNo);
