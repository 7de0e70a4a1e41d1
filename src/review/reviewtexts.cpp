#include "review/reviewtexts.h"

#include "review/examplan.h"
#include "review/pupilstudy.h"

namespace ReviewTexts {

QString dateText(const QDate& day)
{
    return QStringLiteral("%1月%2日").arg(day.month()).arg(day.day());
}

QString dayWord(const QDate& day, const QDate& today)
{
    switch (today.daysTo(day)) {
    case 0:
        return QStringLiteral("きょう");
    case 1:
        return QStringLiteral("あした");
    case 2:
        return QStringLiteral("あさって");
    default:
        return dateText(day);
    }
}

ReviewOffer offer(const PupilStudy& study, const QDate& today, const QDate& examDate,
                  const ExamPlan& plan)
{
    ReviewOffer offer;
    const int due = dueCountWithExam(study, today, examDate);
    offer.caption = QStringLiteral("復習 %1問").arg(due);
    offer.enabled = due > 0;
    if (plan.valid()) {
        const QString behind = plan.behindLine();
        offer.line = plan.hubLine(due) + (behind.isEmpty() ? QString() : u'　' + behind);
        return offer;
    }
    if (due > 0)
        return offer;
    const std::optional<QDate> next = study.nextDueAfter(today);
    offer.line = next ? QStringLiteral("次の復習は") + dateText(*next) : kTestFirst;
    return offer;
}

QString nextLine(const QString& what, const PupilStudy& study, const QDate& today)
{
    return nextLine(what, study, today, [](const IdiomMemory& memory) { return memory.due; });
}

QString nextLine(const QString& what, const PupilStudy& study, const QDate& today,
                 const std::function<QDate(const IdiomMemory&)>& dueDate)
{
    int dueNow = 0;
    std::optional<QDate> next;
    int dueNext = 0;
    for (const IdiomMemory* memory : study.idioms()) {
        const QDate due = dueDate(*memory);
        if (due <= today) {
            ++dueNow;
        } else if (!next || due < *next) {
            next = due;
            dueNext = 1;
        } else if (due == *next) {
            ++dueNext;
        }
    }
    if (dueNow > 0) {
        next = today;
        dueNext = dueNow;
    }
    return next ? QStringLiteral("%1：%2 %3問").arg(what, dayWord(*next, today)).arg(dueNext)
                : what + QStringLiteral("：まだありません");
}

ReviewSummary summary(const std::vector<ReviewedIdiom>& asked, const PupilStudy& study,
                      const QDate& today, const QDate& examDate)
{
    ReviewSummary summary;
    int firstTry = 0;
    for (const ReviewedIdiom& idiom : asked) {
        if (idiom.rightFirstTry)
            ++firstTry;
        const IdiomMemory* memory = study.find(idiom.idiom);
        if (memory && memory->weak())
            summary.weakLines.append(idiom.idiom + QStringLiteral("（") + idiom.reading +
                                     QStringLiteral("）　") + idiom.meaning);
    }
    summary.firstTryLine =
        QStringLiteral("1回目で正解：%1問（%2問中）").arg(firstTry).arg(asked.size());

    const Fsrs fsrs;
    summary.nextLine =
        nextLine(QStringLiteral("次の復習"), study, today,
                 [&](const IdiomMemory& memory) { return examDue(fsrs, memory, examDate, today); });
    return summary;
}

} // namespace ReviewTexts
