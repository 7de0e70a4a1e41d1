#pragma once

#include "review/pupilstudy.h"
#include "scratchfolder.h"

#include <algorithm>

// What any study must hold to, however it was read: the due list and its count agree and run
// from the lowest recall, every idiom is whole and found again, the days are in order.
inline void checkStudyHoldsTogether(const PupilStudy& study)
{
    const QDate today(2026, 12, 8);
    const std::vector<DueIdiom> due = study.due(today);
    FUZZ_CHECK(static_cast<int>(due.size()) == study.dueCount(today));
    for (size_t i = 1; i < due.size(); ++i)
        FUZZ_CHECK(due[i - 1].recall <= due[i].recall);
    for (const IdiomMemory* memory : study.idioms()) {
        FUZZ_CHECK(memory->lapses <= memory->answers && memory->answers > 0);
        FUZZ_CHECK(memory->recent.size() <= size_t(IdiomMemory::kRecentAnswers));
        FUZZ_CHECK(memory->idiom.size() == 4 && study.find(memory->idiom) == memory);
        FUZZ_CHECK(memory->lastAnswer.daysTo(memory->due) >= 1);
    }
    FUZZ_CHECK(std::is_sorted(study.studyDays().begin(), study.studyDays().end()));
    FUZZ_CHECK(study.streak(today) <= static_cast<int>(study.studyDays().size()));
}

// Two studies that hold the same answers: every idiom with the same history and schedule.
inline bool sameStudy(const PupilStudy& a, const PupilStudy& b)
{
    if (a.studyDays() != b.studyDays() || a.idioms().size() != b.idioms().size())
        return false;
    for (const IdiomMemory* m : a.idioms()) {
        const IdiomMemory* other = b.find(m->idiom);
        if (!other || other->answers != m->answers || other->lapses != m->lapses ||
            other->memory.stability != m->memory.stability ||
            other->memory.difficulty != m->memory.difficulty || other->due != m->due)
            return false;
    }
    return true;
}
