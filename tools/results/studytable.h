#pragma once

#include "review/studymap.h"

#include <QStringList>

#include <vector>

// Each idiom the pupil has answered in either skill, in the idiom file's order (idioms no longer
// in the file last): idiom and range, then the choosing state (answers, lapses, stability,
// difficulty, today's recall probability, due date and 苦手) and the same of writing, each empty
// but for zero answers where the pupil has not answered the idiom in that skill. The first line
// heads the columns; csv gives RFC 4180 rows, else tab-separated ones.
QStringList studyTableLines(const PupilStudy& choosing, const PupilStudy& writing,
                            const std::vector<MapIdiom>& idioms, const QDate& today, bool csv);
