#include "review/pupilstudy.h"
#include "review/reviewtexts.h"

#include <gtest/gtest.h>

namespace {

const QDate kToday(2026, 12, 8);

StudyEvent answer(const QString& idiom, const QDate& day, bool right)
{
    StudyEvent event;
    event.date = day;
    event.pupilNo = 5;
    event.idiom = idiom;
    event.range = 3;
    event.itemNo = 6;
    event.wrongIdiom = !right;
    return event;
}

} // namespace

TEST(ReviewTexts, DaysAreNamedAsAChildSaysThem)
{
    EXPECT_EQ(ReviewTexts::dayWord(kToday, kToday), QStringLiteral("きょう"));
    EXPECT_EQ(ReviewTexts::dayWord(kToday.addDays(1), kToday), QStringLiteral("あした"));
    EXPECT_EQ(ReviewTexts::dayWord(kToday.addDays(2), kToday), QStringLiteral("あさって"));
    EXPECT_EQ(ReviewTexts::dayWord(QDate(2026, 12, 11), kToday), QStringLiteral("12月11日"));
    EXPECT_EQ(ReviewTexts::dayWord(QDate(2027, 1, 2), kToday), QStringLiteral("1月2日"));
}

TEST(ReviewTexts, TheFinishViewCountsFirstTriesNamesWeakIdiomsAndTheNextReview)
{
    PupilStudy study(5);
    // 臥薪嘗胆 answered wrongly on four days is 苦手; all three were answered today.
    for (int daysAgo = 3; daysAgo >= 0; --daysAgo)
        study.add(answer(QStringLiteral("臥薪嘗胆"), kToday.addDays(-daysAgo), false));
    study.add(answer(QStringLiteral("一石二鳥"), kToday, false)); // due tomorrow
    study.add(answer(QStringLiteral("十人十色"), kToday, true));  // due in two days
    const std::vector<ReviewedIdiom> asked{
        {QStringLiteral("臥薪嘗胆"), QStringLiteral("がしんしょうたん"),
         QStringLiteral("目的のために苦労にたえること。"), false},
        {QStringLiteral("一石二鳥"), QStringLiteral("いっせきにちょう"), QStringLiteral("…"),
         false},
        {QStringLiteral("十人十色"), QStringLiteral("じゅうにんといろ"), QStringLiteral("…"), true},
    };

    const ReviewSummary summary = ReviewTexts::summary(asked, study, kToday, QDate());
    EXPECT_EQ(summary.firstTryLine, QStringLiteral("1回目で正解：1問（3問中）"));
    EXPECT_EQ(summary.weakLines,
              QStringList{
                  QStringLiteral("臥薪嘗胆（がしんしょうたん）　目的のために苦労にたえること。")});
    EXPECT_EQ(summary.nextLine, QStringLiteral("次の復習：あした 2問"));
}

TEST(ReviewTexts, TheNextReviewAfterADrillIsCountedWithTheExamInView)
{
    // Right on three days, 2 and 5 days apart, the last 10 days ago: plainly due in 20 days.
    PupilStudy study(5);
    for (const int daysAgo : {17, 15, 10})
        study.add(answer(QStringLiteral("臥薪嘗胆"), kToday.addDays(-daysAgo), true));
    const std::vector<ReviewedIdiom> asked{{QStringLiteral("臥薪嘗胆"),
                                            QStringLiteral("がしんしょうたん"), QStringLiteral("…"),
                                            true}};
    EXPECT_EQ(ReviewTexts::summary(asked, study, kToday, QDate()).nextLine,
              QStringLiteral("次の復習：12月28日 1問"));
    // With the exam in 10 days it fades below the exam's target: the day before the exam.
    EXPECT_EQ(ReviewTexts::summary(asked, study, kToday, kToday.addDays(10)).nextLine,
              QStringLiteral("次の復習：12月17日 1問"));
}

TEST(ReviewTexts, IdiomsStillDueAreTheNextReviewToday)
{
    PupilStudy study(5);
    study.add(answer(QStringLiteral("一石二鳥"), kToday.addDays(-1), false));
    study.add(answer(QStringLiteral("十人十色"), kToday, true));
    EXPECT_EQ(ReviewTexts::nextLine(QStringLiteral("次の復習"), study, kToday),
              QStringLiteral("次の復習：きょう 1問"));
}
