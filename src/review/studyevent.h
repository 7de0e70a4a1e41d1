#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// The kind of drill an answer was given in, as the study log stores it.
enum class StudyDrill : quint8 { Test = 1, Review = 2, Practice = 3, Writing = 4 };

// What an answer shows of the pupil: knowing the idiom among tiles, or writing its kanji from
// memory. A pupil may well do the one and not yet the other, so each has its own memory state
// and schedule.
enum class StudySkill { Choose, Write };

inline StudySkill skillOf(StudyDrill drill)
{
    return drill == StudyDrill::Writing ? StudySkill::Write : StudySkill::Choose;
}

// One answer, as the study log keeps it.
struct StudyEvent
{
    QDate date;          // local date of the answer
    int secondOfDay = 0; // local time of the answer, 0..86399
    int pupilNo = 0;     // 1..5000
    QString idiom;       // the idiom's four characters: its identity
    int range = 0;       // 1..10
    StudyDrill drill = StudyDrill::Test;
    int itemNo = 0; // catalogue item: even = test, odd = practice; 0 for a review
    // Wrong reading attempts, 0..255. In writing: the kanji missed at the first try, bit i for
    // the idiom's character i, 0..15.
    int wrongReadings = 0;
    bool wrongIdiom = false; // the idiom was answered wrongly (in writing: a kanji was missed)
    bool readingGivenAway = false;
    bool struckAsKnown = false; // 「この問題覚えた」 in a practice walk
    int seconds = 0;            // seconds spent on the question, 0..65535

    // Right at the first try: no wrong reading, no wrong idiom, nothing given away.
    bool rightFirstTry() const { return wrongReadings == 0 && !wrongIdiom && !readingGivenAway; }
};
