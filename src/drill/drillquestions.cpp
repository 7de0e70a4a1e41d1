#include "drill/drillquestions.h"

#include "core/fieldreader.h"
#include "drill/idiomtable.h"
#include "platform/randomsource.h"

#include <algorithm>
#include <utility>

namespace {
constexpr int kDrawsBeforeFallback = 10000;
} // namespace

void DrillQuestions::build(const IdiomTable& table, int range)
{
    m_questions.clear();
    m_otherIdioms.clear();
    for (int line = 1; line <= table.idiomLineCount(); ++line) {
        const QString& idiom = table.field(line, IdiomTable::Idiom);
        if (FieldReader::leadingNumber(table.field(line, IdiomTable::Range)) == range &&
            questionCount() < kMaxQuestions) {
            m_questions.push_back({idiom, table.field(line, IdiomTable::Meaning),
                                   table.field(line, IdiomTable::Reading), range});
        } else {
            m_otherIdioms.append(idiom);
        }
    }
    m_doneState.assign(m_questions.size() + 1, 0);
}

void DrillQuestions::assign(std::vector<DrillQuestion> questions)
{
    m_questions = std::move(questions);
    m_otherIdioms.clear();
    m_doneState.assign(m_questions.size() + 1, 0);
}

const DrillQuestion& DrillQuestions::question(int n) const
{
    return m_questions.at(static_cast<size_t>(n - 1));
}

QStringList DrillQuestions::idioms() const
{
    QStringList idioms;
    for (const DrillQuestion& question : m_questions)
        idioms.append(question.idiom);
    return idioms;
}

int DrillQuestions::doneState(int n) const
{
    return m_doneState.at(static_cast<size_t>(n));
}

void DrillQuestions::answeredRight(int n)
{
    ++m_doneState.at(static_cast<size_t>(n));
}

void DrillQuestions::answeredWrong(int n)
{
    int& state = m_doneState.at(static_cast<size_t>(n));
    state = std::max(state - 1, -1);
}

int DrillQuestions::finishedCount() const
{
    return static_cast<int>(std::count(m_doneState.begin() + 1, m_doneState.end(), 1));
}

bool DrillQuestions::eligible(int n, int previous) const
{
    const bool onlyOneLeft = questionCount() - 1 == finishedCount();
    return doneState(n) != 1 && (n != previous || onlyOneLeft);
}

int DrillQuestions::drawNext(RandomSource& random, int previous) const
{
    const int count = questionCount();
    if (finishedCount() == count)
        return 0;
    int r = 1;
    for (int draw = 0; draw < kDrawsBeforeFallback; ++draw) {
        r = std::clamp(static_cast<int>(count * random.nextUnit() + 1), 1, count);
        if (eligible(r, previous))
            return r;
    }
    for (int step = 0; step < count; ++step) {
        const int n = (r - 1 + step) % count + 1;
        if (eligible(n, previous))
            return n;
    }
    return 0;
}

int DrillQuestions::firstInOrder(int previous) const
{
    for (int n = 1; n <= questionCount(); ++n) {
        if (eligible(n, previous))
            return n;
    }
    return 0;
}
