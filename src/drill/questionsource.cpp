#include "drill/questionsource.h"

DecoyIdioms DecoyIdioms::ofRange(const IdiomTable& table, int range)
{
    DrillQuestions questions;
    questions.build(table, range);
    return {questions.idioms(), questions.otherIdioms()};
}

void RangeSource::build(const IdiomTable& table, DrillQuestions& questions)
{
    questions.build(table, m_range);
    m_decoys = {questions.idioms(), questions.otherIdioms()};
}

int RangeSource::pick(const DrillQuestions& questions, RandomSource& random, int previous) const
{
    return questions.drawNext(random, previous);
}
