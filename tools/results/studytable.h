#pragma once

#include "review/studymap.h"

#include <QStringList>

#include <vector>

// Each idiom the pupil has answered, in the idiom file's order (idioms no longer in the file
// last): idiom, range, answers, lapses, stability, difficulty, today's recall probability, due
// date and 苦手. The first line heads the columns; csv gives RFC 4180 rows, else
// tab-separated ones.
QStringList studyTableLines(const PupilStudy& study, const std::vector<MapIdiom>& idioms,
                            const QDate& today, bool csv);
