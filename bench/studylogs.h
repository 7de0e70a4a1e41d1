#pragma once

#include "review/studylogrecord.h"

#include <QDate>
#include <QFile>

#include <cstdlib>

// What a test drill of 22 idioms appends to a study log for one pupil: the growth a pupil's
// study has to catch up with between two looks.
inline void appendOneDrill(const QString& path, int pupil, const QDate& day)
{
    QFile file(path);
    if (!file.open(QIODevice::Append))
        std::abort();
    StudyEvent event;
    event.date = day;
    event.pupilNo = pupil;
    event.range = 5;
    for (int k = 0; k < 22; ++k) {
        event.idiom = QString(QChar(0x4E00 + k)) + QStringLiteral("面楚歌");
        if (file.write(StudyLogRecord::encode(event)) != StudyLogRecord::kLength)
            std::abort();
    }
}
