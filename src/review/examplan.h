#pragma once

#include "core/catalogue.h"
#include "review/fsrs.h"
#include "review/pupilstudy.h"

#include <QDate>
#include <QString>

#include <vector>

struct ResultTables;
struct SharedState;

// How a pupil's days until the examination are spent. The ranges still to take are spread
// evenly over the study days left, in order, each with a day by which it should be mastered; the
// last days before the exam are for review only.
//
// The review-only tail is 14 days, or a fifth of the days that were left when the date was set
// (rounded to the nearest day) when 14 days would be more than that fifth: an exam set 40 days
// ahead leaves its last 8 days for review. The tail is fixed on the day the date is set, since
// a fifth of the days left counted afresh each day would shrink ahead of the pupil and never
// be reached.
//
// The spread is made afresh each day from the ranges mastered by then, so a range falls behind
// only when the review-only days come with it still to take: every range was due by the last
// study day. The hub line then asks for review alone and the behind line names the range.
//
// On the exam day itself and after it there is no plan: the pupil simply reviews what is due.
class ExamPlan
{
public:
    static constexpr int kReviewTailDays = 14;

    // mastered[r - 1] tells whether range r is mastered; its size is the number of ranges.
    // setOn is the day the exam date was set; invalid or later than today counts as today.
    ExamPlan(const QDate& today, const QDate& examDate, const QDate& setOn,
             std::vector<bool> mastered);

    bool valid() const { return m_daysLeft > 0; }
    int daysLeft() const { return m_daysLeft; }   // 0 without a plan
    int nextRange() const { return m_nextRange; } // lowest range not mastered; 0 when none
    QDate dueBy(int range) const;                 // invalid for a mastered range, or without a plan
    int behindDays() const { return m_behindDays; } // of the next range; 0 when on plan
    bool reviewOnly() const;
    QDate reviewFrom() const { return m_reviewFrom; } // first day of the tail

    // 「試験まであと54日：きょうは 範囲３のテスト と 復習12問」; empty without a plan.
    QString hubLine(int reviewsDue) const;
    // 「範囲３が予定より2日おくれています」; empty when on plan.
    QString behindLine() const;

private:
    QDate m_today;
    QDate m_reviewFrom;
    int m_daysLeft = 0;
    int m_nextRange = 0;
    int m_behindDays = 0;
    std::vector<QDate> m_dueBy; // by range - 1
};

// Which ranges the pupil has mastered, as the finish screen judges a range's timed test.
std::vector<bool> masteredRanges(const SharedState& state, const ResultTables& tables, int pupil);

// The recall wanted on the exam day. The everyday schedule keeps an idiom at the desired
// retention or more until its due date, so an idiom due after the exam is already at 0.9 on the
// exam day; an exam asks for a little more.
inline constexpr double kExamDayRecall = 0.95;

// The idiom's due date with the exam in view. Before or on the exam day, an idiom due after the
// exam whose recall on the exam day, from its last answer, is below kExamDayRecall is due on the
// latest day before the exam on which a right answer brings it to kExamDayRecall by the exam
// day, or today when that day is past or there is none. Otherwise, and without an exam date or
// after it, the plain due date. Nothing is stored: clearing the date restores the plain schedule.
QDate examDue(const Fsrs& fsrs, const IdiomMemory& memory, const QDate& examDate,
              const QDate& today);

// PupilStudy::due() and dueCount() with the exam in view.
std::vector<DueIdiom> dueWithExam(const PupilStudy& study, const QDate& today,
                                  const QDate& examDate);
int dueCountWithExam(const PupilStudy& study, const QDate& today, const QDate& examDate);

// How many idioms the pupil is expected to recall on the exam day: the sum of each answered
// idiom's recall on that day as predicted from its last answer, no review before the exam
// assumed. Idioms never answered count nothing.
struct ExamForecast
{
    double total = 0;
    std::vector<double> byRange = std::vector<double>(kRangeCount); // range r at r - 1
};
ExamForecast forecastExamDay(const PupilStudy& study, const QDate& examDate);
// 「試験日に覚えている見込み：190/220」
QString examForecastText(double expected, int idiomCount);
