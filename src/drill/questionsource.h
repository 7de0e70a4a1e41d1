#pragma once

#include "drill/drillquestions.h"

#include <QStringList>

class IdiomTable;
class RandomSource;

// The idioms whose first two characters make the kanji decoys of a question: first those of
// its own range, then, when they run out, those of the other ranges.
struct DecoyIdioms
{
    QStringList range;
    QStringList others;

    static DecoyIdioms ofRange(const IdiomTable& table, int range);
};

// Where a drill's questions come from and in which order they are asked. The drill engine
// asks, judges and times them the same way whatever the source.
class QuestionSource
{
public:
    virtual ~QuestionSource() = default;
    // Fills questions from the idiom table.
    virtual void build(const IdiomTable& table, DrillQuestions& questions) = 0;
    // The question to ask next, 0 when every question is finished.
    virtual int pick(const DrillQuestions& questions, RandomSource& random, int previous) const = 0;
    // The decoys for question n.
    virtual const DecoyIdioms& decoys(int n) const = 0;
};

// The idioms of one catalogue range in file order, asked in random order.
class RangeSource : public QuestionSource
{
public:
    explicit RangeSource(int range) : m_range(range) {}
    void build(const IdiomTable& table, DrillQuestions& questions) override;
    int pick(const DrillQuestions& questions, RandomSource& random, int previous) const override;
    const DecoyIdioms& decoys(int) const override { return m_decoys; }

private:
    int m_range = 0;
    DecoyIdioms m_decoys;
};
