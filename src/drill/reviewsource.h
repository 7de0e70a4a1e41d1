#pragma once

#include "drill/questionsource.h"

#include <QDate>

#include <map>
#include <vector>

class PupilStudy;

// The idioms a pupil has due for review, with the exam in view while a date is set: at most
// kMaxQuestions of those the idiom file still holds, the lowest recall first, from any range, asked
// in that order. A wrong idiom comes back after the next question. Each question draws its decoys
// from its own range, as in that range's test.
class ReviewSource : public QuestionSource
{
public:
    static constexpr int kMaxQuestions = 20;

    ReviewSource(const PupilStudy& study, const QDate& today, const QDate& examDate);
    void build(const IdiomTable& table, DrillQuestions& questions) override;
    int pick(const DrillQuestions& questions, RandomSource& random, int previous) const override;
    const DecoyIdioms& decoys(int n) const override;

private:
    QStringList m_due;          // lowest recall first
    std::vector<int> m_rangeOf; // by question, index 0 unused
    std::map<int, DecoyIdioms> m_decoys;
};
