#pragma once

#include <QString>

// "①".."⑥" for elementary grades 1 to 6, "Ⅰ".."Ⅲ" for lower secondary grades 1 to 3,
// a full-width space for anything else.
QString gradeMark(int gradeNo);

// Whether grade number n belongs to the group named by a grade filter text ("全学年",
// "小学生全体", "小３", "家族" ...); an unknown text matches no grade.
int gradeMatchesFilter(int gradeNo, const QString& filterText);
