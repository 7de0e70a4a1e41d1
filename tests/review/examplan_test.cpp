#include "core/sharedstate.h"
#include "records/resulttables.h"
#include "review/examplan.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QDate kToday{2026, 9, 1};

// Ranges 1, 2 and 4 mastered out of ten.
const std::vector<bool> kThreeMastered{true,  true,  false, true,  false,
                                       false, false, false, false, false};

// R(t, S) of FSRS-6 with its default decay, worked out apart from the model.
double recallAfter(double days, double stability)
{
    const double decay = -0.1542;
    const double factor = std::pow(0.9, 1 / decay) - 1;
    return std::pow(1 + factor * days / stability, decay);
}

StudyEvent rightAnswer(const QString& idiom, const QDate& date, int range)
{
    StudyEvent event;
    event.date = date;
    event.secondOfDay = 36000;
    event.pupilNo = 7;
    event.idiom = idiom;
    event.range = range;
    event.itemNo = rangeTestItem(range);
    event.seconds = 9;
    return event;
}

// One idiom answered right on three days, 2 and 5 days apart: a plain interval of 30 days,
// due 30 days after its last answer.
PupilStudy thirtyDayStudy(const QDate& lastAnswer)
{
    PupilStudy study(7);
    const QString idiom = QStringLiteral("臥薪嘗胆");
    study.add(rightAnswer(idiom, lastAnswer.addDays(-7), 3));
    study.add(rightAnswer(idiom, lastAnswer.addDays(-5), 3));
    study.add(rightAnswer(idiom, lastAnswer, 3));
    return study;
}

} // namespace

TEST(ExamPlanTest, SpreadsTheRangesStillToTakeOverTheStudyDays)
{
    // 100 days: the last 14 are for review, leaving 86 study days for 7 ranges.
    const ExamPlan plan(kToday, kToday.addDays(100), kToday, kThreeMastered);
    ASSERT_TRUE(plan.valid());
    EXPECT_EQ(plan.daysLeft(), 100);
    EXPECT_EQ(plan.nextRange(), 3);
    EXPECT_EQ(plan.dueBy(3), kToday.addDays(12));  // the end of the first 86/7 days
    EXPECT_EQ(plan.dueBy(10), kToday.addDays(85)); // the last study day
    EXPECT_FALSE(plan.dueBy(4).isValid());
    EXPECT_EQ(plan.behindDays(), 0);
    EXPECT_FALSE(plan.reviewOnly());
    EXPECT_EQ(plan.hubLine(12),
              QStringLiteral("試験まであと100日：きょうは 範囲３のテスト と 復習12問"));
    EXPECT_TRUE(plan.behindLine().isEmpty());
    const ExamPlan done(kToday, kToday.addDays(100), kToday, std::vector<bool>(10, true));
    EXPECT_EQ(done.nextRange(), 0);
    EXPECT_EQ(done.hubLine(0), QStringLiteral("試験まであと100日：きょうの復習はありません"));
}

TEST(ExamPlanTest, ARangeIsMasteredByItsTimedTest)
{
    SharedState state;
    state.itemRequiredScore.fill(1);
    state.itemRequiredCount.fill(1);
    ResultTables tables;
    tables.recentPointsA.at(6, 7) = 1;
    tables.recentCountA.at(6, 7) = 1;
    tables.recentPointsA.at(3, 7) = 1; // range 2's practice walk
    tables.recentCountA.at(3, 7) = 1;
    std::vector<bool> expected(10);
    expected[2] = true;
    EXPECT_EQ(masteredRanges(state, tables, 7), expected);
}

TEST(ExamPlanTest, LeavesFourteenDaysOrAFifthOfTheTimeForReviewOnly)
{
    const QDate exam = kToday.addDays(43);
    // Set 43 days ahead, a fifth is 8.6, less than 14: the last 9 days are for review only,
    // however few days are left.
    const std::vector<bool> allMastered(10, true);
    EXPECT_FALSE(ExamPlan(exam.addDays(-10), exam, kToday, allMastered).reviewOnly());
    const ExamPlan firstReviewDay(exam.addDays(-9), exam, kToday, allMastered);
    EXPECT_TRUE(firstReviewDay.reviewOnly());
    EXPECT_EQ(firstReviewDay.hubLine(12), QStringLiteral("試験まであと9日：きょうは 復習12問"));
    // Set 42 days ahead, a fifth is 8.4: the last 8 days.
    EXPECT_EQ(ExamPlan(kToday, kToday.addDays(42), kToday, allMastered).reviewFrom(),
              kToday.addDays(34));
    // Set 73 days ahead a fifth would be 15: the tail stays at 14.
    EXPECT_EQ(ExamPlan(kToday, kToday.addDays(73), kToday, kThreeMastered).reviewFrom(),
              kToday.addDays(59));
}

TEST(ExamPlanTest, RangesLeftInTheReviewDaysAreBehindPlan)
{
    const QDate exam = kToday.addDays(100);
    // All ranges were due by the last study day, 15 days before the exam.
    const ExamPlan plan(exam.addDays(-10), exam, kToday, kThreeMastered);
    EXPECT_TRUE(plan.reviewOnly());
    EXPECT_EQ(plan.behindDays(), 5);
    EXPECT_EQ(plan.hubLine(12), QStringLiteral("試験まであと10日：きょうは 復習12問"));
    EXPECT_EQ(plan.behindLine(), QStringLiteral("範囲３が予定より5日おくれています"));
}

TEST(ExamPlanTest, AnExamDayTodayOrPastIsNoPlan)
{
    for (const QDate& exam : {QDate(), kToday, kToday.addDays(-3)}) {
        const ExamPlan plan(kToday, exam, kToday.addDays(-30), kThreeMastered);
        EXPECT_FALSE(plan.valid());
        EXPECT_EQ(plan.daysLeft(), 0);
        EXPECT_TRUE(plan.hubLine(12).isEmpty());
    }
    EXPECT_TRUE(ExamPlan(kToday, kToday.addDays(1), kToday, kThreeMastered).valid());
}

TEST(ExamPlanTest, AnIdiomFadingByTheExamIsReviewedOnTheDayBefore)
{
    // Last answered 10 days ago, due in 20 days; the exam is in 10 days.
    const PupilStudy study = thirtyDayStudy(kToday.addDays(-10));
    const IdiomMemory& memory = *study.idioms().front();
    ASSERT_EQ(memory.due, kToday.addDays(20));
    const QDate exam = kToday.addDays(10);
    EXPECT_LT(recallAfter(20, memory.memory.stability), kExamDayRecall);

    const Fsrs fsrs;
    const QDate review = examDue(fsrs, memory, exam, kToday);
    EXPECT_EQ(review, exam.addDays(-1));
    const MemoryState after = fsrs.next(memory.memory, 19, Grade::Good);
    EXPECT_GE(recallAfter(1, after.stability), kExamDayRecall);
    // Answered 9 days later it holds until the exam; after the exam the plain schedule.
    EXPECT_EQ(examDue(fsrs, *thirtyDayStudy(kToday.addDays(-1)).idioms().front(), exam, kToday),
              kToday.addDays(29));
    EXPECT_EQ(examDue(fsrs, memory, exam, exam.addDays(1)), memory.due);
}

TEST(ExamPlanTest, ClearingTheExamDateRestoresThePlainDueDates)
{
    const PupilStudy study = thirtyDayStudy(kToday.addDays(-10));
    const QDate dayBeforeExam = kToday.addDays(9);
    ASSERT_EQ(dueWithExam(study, dayBeforeExam, kToday.addDays(10)).size(), 1u);
    EXPECT_EQ(dueCountWithExam(study, dayBeforeExam, kToday.addDays(10)), 1);
    EXPECT_EQ(dueCountWithExam(study, dayBeforeExam, QDate()), 0);
    EXPECT_TRUE(dueWithExam(study, dayBeforeExam, QDate()).empty());
    EXPECT_EQ(study.idioms().front()->due, kToday.addDays(20));
}

TEST(ExamPlanTest, ExpectedExamDayCountIsTheSumOfPredictedRecalls)
{
    PupilStudy study(7);
    study.add(rightAnswer(QStringLiteral("四面楚歌"), kToday.addDays(-4), 2));
    study.add(rightAnswer(QStringLiteral("一期一会"), kToday, 2));
    study.add(rightAnswer(QStringLiteral("臥薪嘗胆"), kToday.addDays(-1), 5));
    const QDate exam = kToday.addDays(30);
    double range2 = 0;
    double range5 = 0;
    for (const IdiomMemory* memory : study.idioms())
        (memory->range == 2 ? range2 : range5) +=
            recallAfter(memory->lastAnswer.daysTo(exam), memory->memory.stability);

    const ExamForecast forecast = forecastExamDay(study, exam);
    EXPECT_NEAR(forecast.total, range2 + range5, 1e-9);
    EXPECT_NEAR(forecast.byRange[1], range2, 1e-9);
    EXPECT_NEAR(forecast.byRange[4], range5, 1e-9);
    EXPECT_EQ(forecast.byRange[0], 0);
    EXPECT_EQ(examForecastText(189.6, 220), QStringLiteral("試験日に覚えている見込み：190/220"));
}
