#include "drill/reviewsource.h"

#include "core/fieldreader.h"
#include "drill/idiomtable.h"
#include "review/examplan.h"
#include "review/pupilstudy.h"

#include <QHash>

namespace {
constexpr int kMaxRange = 10;
} // namespace

ReviewSource::ReviewSource(const PupilStudy& study, const QDate& today, const QDate& examDate)
{
    for (const DueIdiom& due : dueWithExam(study, today, examDate))
        m_due.append(due.memory->idiom);
}

void ReviewSource::build(const IdiomTable& table, DrillQuestions& questions)
{
    // The idiom is its identity: it is found wherever the idiom file has it now. An idiom
    // that has left the file cannot be asked.
    QHash<QString, int> lineOf;
    for (int line = table.idiomLineCount(); line >= 1; --line)
        lineOf.insert(table.field(line, IdiomTable::Idiom), line);
    std::vector<DrillQuestion> asked;
    m_rangeOf.assign(1, 0);
    for (const QString& idiom : m_due) {
        if (static_cast<int>(asked.size()) == kMaxQuestions)
            break;
        const auto found = lineOf.constFind(idiom);
        if (found == lineOf.constEnd())
            continue;
        const int line = *found;
        // A range field that is no catalogue range gives no range-mates; decoys then come
        // from the other idioms.
        const double number = FieldReader::leadingNumber(table.field(line, IdiomTable::Range));
        const int range = number >= 1 && number <= kMaxRange ? static_cast<int>(number) : 0;
        asked.push_back({idiom, table.field(line, IdiomTable::Meaning),
                         table.field(line, IdiomTable::Reading), range});
        m_rangeOf.push_back(range);
        if (!m_decoys.contains(range))
            m_decoys.emplace(range, DecoyIdioms::ofRange(table, range));
    }
    questions.assign(std::move(asked));
}

int ReviewSource::pick(const DrillQuestions& questions, RandomSource&, int previous) const
{
    return questions.firstInOrder(previous);
}

const DecoyIdioms& ReviewSource::decoys(int n) const
{
    return m_decoys.at(m_rangeOf.at(static_cast<size_t>(n)));
}
