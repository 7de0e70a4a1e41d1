#pragma once

#include "platform/status.h"

#include <QChar>
#include <QDate>

#include <vector>

class PupilStudy;
struct MapIdiom;

// What a pupil's answers in the writing drill say, for the parents' report.
struct WritingProgress
{
    static constexpr size_t kMissedListed = 5;

    struct MissedKanji
    {
        QChar kanji;
        int times = 0;
    };

    int written = 0;    // idioms written at least once
    int canWrite = 0;   // idioms of the idiom file written and not due today
    int idiomCount = 0; // idioms of the idiom file
    int answers = 0;
    int rightFirstTry = 0;
    QDate first; // the period of the writing answers
    QDate last;
    // The kanji missed at the first try most often, most first; of equals, the one missed
    // first. At most kMissedListed.
    std::vector<MissedKanji> mostMissed;

    bool hasAnswers() const { return answers > 0; }
    // The idioms' side of it, from the pupil's writing study.
    void takeIdioms(const PupilStudy& writing, const std::vector<MapIdiom>& idioms,
                    const QDate& today);
};

// Counts the writing answers and the kanji missed in them of each of pupils (progress gets one
// entry each, in the same order) in one pass over the study log at logPath. Records that readers
// skip are not counted; a missing log counts nothing.
Status tallyWriting(const QString& logPath, const std::vector<int>& pupils,
                    std::vector<WritingProgress>& progress);
