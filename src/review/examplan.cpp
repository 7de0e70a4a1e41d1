#include "review/examplan.h"

#include "records/mastery.h"

#include <QStringList>

#include <algorithm>

namespace {

// A fifth of the days, rounded to the nearest day: a fifth of a whole number never ends in .5.
int fifthOf(qint64 days)
{
    return static_cast<int>((days + 2) / 5);
}

} // namespace

ExamPlan::ExamPlan(const QDate& today, const QDate& examDate, const QDate& setOn,
                   std::vector<bool> mastered)
    : m_today(today), m_dueBy(mastered.size())
{
    if (!today.isValid() || !examDate.isValid() || today.daysTo(examDate) <= 0)
        return;
    m_daysLeft = static_cast<int>(today.daysTo(examDate));
    const QDate planned = setOn.isValid() && setOn < today ? setOn : today;
    m_reviewFrom = examDate.addDays(-std::min(kReviewTailDays, fifthOf(planned.daysTo(examDate))));

    std::vector<int> toTake;
    for (size_t i = 0; i < mastered.size(); ++i)
        if (!mastered[i])
            toTake.push_back(static_cast<int>(i) + 1);
    if (toTake.empty())
        return;
    // The k-th of n ranges is due by the end of the first k/n of the study days, so that the
    // last is due on the last study day; in the tail they were all due by that day.
    const qint64 studyDays = today.daysTo(m_reviewFrom);
    const qint64 n = static_cast<qint64>(toTake.size());
    for (qint64 k = 1; k <= n; ++k) {
        const qint64 offset = studyDays > 0 ? (k * studyDays + n - 1) / n - 1 : studyDays - 1;
        m_dueBy[static_cast<size_t>(toTake[static_cast<size_t>(k - 1)] - 1)] =
            today.addDays(offset);
    }
    m_nextRange = toTake.front();
    m_behindDays = static_cast<int>(std::max<qint64>(0, dueBy(m_nextRange).daysTo(today)));
}

QDate ExamPlan::dueBy(int range) const
{
    if (range < 1 || static_cast<size_t>(range) > m_dueBy.size())
        return {};
    return m_dueBy[static_cast<size_t>(range - 1)];
}

bool ExamPlan::reviewOnly() const
{
    return valid() && m_today >= m_reviewFrom;
}

QString ExamPlan::hubLine(int reviewsDue) const
{
    if (!valid())
        return {};
    const QString head = QStringLiteral("試験まであと%1日：").arg(m_daysLeft);
    QStringList tasks;
    if (m_nextRange != 0 && !reviewOnly())
        tasks << rangeCaption(m_nextRange) + QStringLiteral("のテスト");
    if (reviewsDue > 0)
        tasks << QStringLiteral("復習%1問").arg(reviewsDue);
    if (tasks.isEmpty())
        return head + QStringLiteral("きょうの復習はありません");
    return head + QStringLiteral("きょうは ") + tasks.join(QStringLiteral(" と "));
}

QString ExamPlan::behindLine() const
{
    if (m_behindDays == 0)
        return {};
    return QStringLiteral("%1が予定より%2日おくれています")
        .arg(rangeCaption(m_nextRange))
        .arg(m_behindDays);
}

std::vector<bool> masteredRanges(const SharedState& state, const ResultTables& tables, int pupil)
{
    std::vector<bool> mastered(kRangeCount);
    for (int range = 1; range <= kRangeCount; ++range)
        mastered[static_cast<size_t>(range - 1)] =
            recentlyMastered(state, tables, rangeTestItem(range), pupil);
    return mastered;
}

QDate examDue(const Fsrs& fsrs, const IdiomMemory& memory, const QDate& examDate,
              const QDate& today)
{
    if (!examDate.isValid() || today > examDate || memory.due <= examDate ||
        fsrs.recall(memory.memory, static_cast<double>(memory.lastAnswer.daysTo(examDate))) >=
            kExamDayRecall)
        return memory.due;
    // A review on the exam day itself would always hold until the exam: the latest useful
    // review is the day before.
    for (QDate day = examDate.addDays(-1); day >= today; day = day.addDays(-1)) {
        const MemoryState after =
            fsrs.next(memory.memory, static_cast<int>(memory.lastAnswer.daysTo(day)), Grade::Good);
        if (fsrs.recall(after, static_cast<double>(day.daysTo(examDate))) >= kExamDayRecall)
            return day;
    }
    return today;
}

std::vector<DueIdiom> dueWithExam(const PupilStudy& study, const QDate& today,
                                  const QDate& examDate)
{
    const Fsrs fsrs;
    return study.due(
        today, [&](const IdiomMemory& memory) { return examDue(fsrs, memory, examDate, today); });
}

int dueCountWithExam(const PupilStudy& study, const QDate& today, const QDate& examDate)
{
    const Fsrs fsrs;
    const std::vector<const IdiomMemory*> idioms = study.idioms();
    return static_cast<int>(std::count_if(idioms.begin(), idioms.end(), [&](const IdiomMemory* m) {
        return examDue(fsrs, *m, examDate, today) <= today;
    }));
}

ExamForecast forecastExamDay(const PupilStudy& study, const QDate& examDate)
{
    const Fsrs fsrs;
    ExamForecast forecast;
    for (const IdiomMemory* memory : study.idioms()) {
        const double recall =
            fsrs.recall(memory->memory, static_cast<double>(memory->lastAnswer.daysTo(examDate)));
        forecast.total += recall;
        if (memory->range >= 1 && memory->range <= kRangeCount)
            forecast.byRange[static_cast<size_t>(memory->range - 1)] += recall;
    }
    return forecast;
}

QString examForecastText(double expected, int idiomCount)
{
    return QStringLiteral("試験日に覚えている見込み：%1/%2").arg(qRound(expected)).arg(idiomCount);
}
