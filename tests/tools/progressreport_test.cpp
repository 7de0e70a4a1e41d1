#include "progressreport.h"
#include "progressreportdrawing.h"
#include "resultscommands.h"
#include "resultstoolfixture.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

// Items have target time 100 + item and multiplier 1.5; 3 tests and 30 points master an item.
TEST_F(ResultsToolTest, ThePageOfAPupilWithAKnownHistory)
{
    for (int day = 1; day <= 3; ++day)
        record(1, 2, 51, at(4, day, 16, 0)); // 16 points each: mastered
    record(1, 4, 52, at(4, 4, 16, 0));       // 16 points
    record(1, 4, 99999, at(4, 5, 16, 0));    // time-over: no points, not counted
    record(1, 6, 53, at(4, 6, 16, 0));
    record(1, 6, 53, at(4, 7, 16, 0)); // 32 points, one test short
    record(2, 8, 60, at(4, 8, 16, 0)); // another pupil's
    std::vector<PupilProgress> pages;
    ASSERT_TRUE(ProgressReportBuilder(installation()).build({1}, pages).ok());
    ASSERT_EQ(pages.size(), 1u);
    const PupilProgress& page = pages[0];
    EXPECT_EQ(page.name, QStringLiteral("さくら"));
    EXPECT_EQ(page.grade, QStringLiteral("小５"));
    EXPECT_EQ(page.school, QStringLiteral("テスト教室"));
    EXPECT_EQ(page.first, QDate(2026, 4, 1));
    EXPECT_EQ(page.last, QDate(2026, 4, 7));

    ASSERT_EQ(page.items.size(), 3u);
    EXPECT_EQ(progressRowTexts(page.items[0]),
              (QStringList{"範囲１", "3回", "51秒", "51秒", "4/1 51秒  4/2 51秒  4/3 51秒", "48点",
                           "合格"}));
    EXPECT_EQ(
        progressRowTexts(page.items[1]),
        (QStringList{"範囲２", "2回", "52秒", "52秒", "4/4 52秒  4/5 時間切れ", "16点", "まだ"}));
    EXPECT_EQ(progressRowTexts(page.items[2]),
              (QStringList{"範囲３", "2回", "53秒", "53秒", "4/6 53秒  4/7 53秒", "32点", "まだ"}));
    // Not mastered, nearest first; then the range after the highest one tried.
    EXPECT_EQ(page.nextToPractise, (QStringList{"範囲３", "範囲２", "範囲４"}));
    EXPECT_EQ(page.chartItems, (std::vector<int>{2, 4}));
}

TEST_F(ResultsToolTest, TheReportOfAllPupilsHasOneSheetPerPupil)
{
    record(1, 2, 51, at(4, 9, 16, 0));
    record(2, 2, 70, at(4, 9, 17, 0));
    record(3, 2, 80, at(4, 9, 18, 0)); // no longer listed: not among all pupils
    clock.current = at(4, 10, 10, 0);
    QTemporaryDir dir;
    ReportOptions options;
    options.all = true;
    options.output = dir.filePath(QStringLiteral("report.pdf"));
    QString errors;
    QTextStream err(&errors);
    ASSERT_EQ(ResultsCommands::report(installation(), options, clock, sleeper, messages, exit, err),
              0)
        << errors.toStdString();
    QFile pdf(options.output);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(pdf.readAll());
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))), 2);
}
