#include "hubfixture.h"
#include "records/resultstatistics.h"
#include "review/sharedpupilsettings.h"
#include "review/studycache.h"
#include "review/studylog.h"

#include <cerrno>

namespace {

// The hub for pupil 9 ("ゆい", grade 3) among three other pupils, on the twenty items.
class StudyHubTest : public ::testing::Test, public HubFixture
{
protected:
    StudyHubTest()
    {
        addPupil(1, 2017, QStringLiteral("あおい"));
        addPupil(3, 2015, QStringLiteral("みなと"));
        addPupil(9, 2017, QStringLiteral("ゆい"));
        choosePupil(9);
    }

    // Shows the hub as the navigator does: load, then activation.
    StudyHub& showHub()
    {
        hub = std::make_unique<StudyHub>(
            StudyHubServices{*state, navigator, records, clock, messages, studies, hooks}, view);
        hub->load();
        hub->refreshHub();
        return *hub;
    }

    StudyHubHooks hooks;
    StudyCache studies;
    FakeHubView view;
    std::unique_ptr<StudyHub> hub;
};

} // namespace

TEST_F(StudyHubTest, LoadingBuildsEveryColumnsCaptions)
{
    state->itemRequiredScore[6] = 9999;
    state->itemField5[8] = 1.5f;
    writeResults(
        {result(9, 4, 50, today()), result(9, 4, 30, today() - 6), result(9, 4, 30, today() - 7)});
    records.computeStatistics(); // as the name selection screen left them
    showHub();

    ASSERT_EQ(view.columns.size(), 21u);
    const HubColumnTexts& fourth = view.column(4).texts;
    EXPECT_EQ(fourth.number, "4");
    EXPECT_EQ(fourth.caption, "範囲２");
    EXPECT_EQ(fourth.start, "ｽﾀｰﾄ(&4)");
    EXPECT_EQ(fourth.goal, "目標=60秒 3回/30点(×2)");
    // Two results within the last seven days: 50 seconds (5 x 2) and 30 seconds (11 x 2).
    EXPECT_EQ(fourth.recent, "最近7日=2回 / 32点");
    EXPECT_EQ(view.column(6).texts.goal, "目標=60秒 --------");
    EXPECT_EQ(view.column(8).texts.goal, "目標=60秒 3回/30点(×1.5)");
    EXPECT_EQ(view.column(19).texts.caption, "範囲１０練");
    EXPECT_EQ(view.column(13).texts.start, "ｽﾀｰﾄ(&13)");
    EXPECT_EQ(view.filterEntries.size(), 12);
    EXPECT_EQ(view.filterText, "全学年");
}

TEST_F(StudyHubTest, TwentyItemsScrollFourColumnsAndFourItemsFillTheWidth)
{
    showHub();
    EXPECT_TRUE(view.scrollVisible);
    EXPECT_EQ(view.scrollMaximum, 17);
    EXPECT_EQ(view.pitchTwips, 3456);
    EXPECT_EQ(view.leftTwips[1], 0);
    EXPECT_EQ(view.leftTwips[4], 3 * 3456);

    state->itemCount = 4;
    view = FakeHubView{};
    showHub();
    EXPECT_FALSE(view.scrollVisible);
    EXPECT_EQ(view.pitchTwips, 3648);
    EXPECT_EQ(view.columns.size(), 5u);
}

TEST_F(StudyHubTest, TheFirstVisibleColumnOutlivesTheHubAndStaysInRange)
{
    state->firstVisibleColumn = 5;
    showHub();
    EXPECT_EQ(view.scrollValue, 5);
    EXPECT_EQ(view.leftTwips[4], -1); // left of the first visible column: out of sight
    EXPECT_EQ(view.leftTwips[5], 0);
    EXPECT_EQ(view.leftTwips[6], 3456);

    hub->scrollMoved(17);
    EXPECT_EQ(state->firstVisibleColumn, 17);
    EXPECT_EQ(view.leftTwips[20], 3 * 3456);

    for (int stale : {0, 18}) {
        state->firstVisibleColumn = stale;
        showHub();
        EXPECT_EQ(state->firstVisibleColumn, 1) << stale;
    }
}

TEST_F(StudyHubTest, TheRefreshShowsThePupilsTalliesOfTodayAndAllTime)
{
    writeResults({result(9, 2, 40, today()), result(9, 2, 50, today()),
                  result(9, 2, 45, today() - 1), result(9, 30, 45, today()),
                  result(1, 4, 45, today())});
    showHub();
    // 40 s: 6 x 2 points, 50 s and 45 s: 5 x 2 points each.
    EXPECT_EQ(view.column(2).today, "2回/22点");
    EXPECT_EQ(view.column(2).allTime, "3回/32点");
    EXPECT_EQ(view.column(4).today, "-----");
    EXPECT_EQ(view.column(4).allTime, "------");
    // Item 30 has no column but still counts today.
    EXPECT_EQ(view.todayTotalLine, "本日総回数＝3回");
    EXPECT_EQ(view.minutesLine, "起動後15分");
    EXPECT_EQ(view.pupilLine, "小３ ゆい");
    EXPECT_EQ(view.schoolLine, "テスト教室:9");
    EXPECT_EQ(view.title, "Sorawa");
    EXPECT_EQ(view.titlePointSize, 24);
    EXPECT_EQ(navigator.unloaded, (QList<ScreenId>{ScreenId::NameSelection}));
    EXPECT_TRUE(hub->hubBusy());
    EXPECT_FALSE(view.waitPanelVisible);
    EXPECT_FALSE(view.waitProgressVisible);
    EXPECT_FALSE(view.rankingPanelVisible);
    EXPECT_TRUE(view.backEnabled);
}

TEST_F(StudyHubTest, TheRefreshOpensOnTheAllTimePointsRanking)
{
    writeResults({result(1, 2, 40, today() - 3), result(9, 2, 50, today())});
    showHub();
    EXPECT_EQ(hub->reportKind(), ReportKind::Points);
    EXPECT_EQ(hub->pointsPeriod(), PointsPeriod::AllTime);
    EXPECT_EQ(view.displayKind, StudyHub::PointsDisplay);
    EXPECT_EQ(view.periodOption, StudyHub::FirstPeriod);
    EXPECT_EQ(view.periodCaptions[1], "累計順");
    EXPECT_EQ(view.periodCaptions[2], "本日順");
    EXPECT_EQ(view.heading, "獲得ポイント（今まで順位）");
    EXPECT_EQ(view.column(2).lines, (QStringList{" 1③あおい　　  0/   12", " 2●ゆい　　　 10/   10",
                                                 " 3⑤みなと　　  0/    0"}));
    // The line above the pupil's own goes to the top.
    EXPECT_EQ(view.column(2).scrollTo, 0);
    EXPECT_EQ(view.column(2).todayHeading, "今日");
    EXPECT_FALSE(view.graphButtonVisible);
    EXPECT_FALSE(view.recordsBoxVisible);
}

TEST_F(StudyHubTest, PracticeItemsRunFor600SecondsAndShowNoRecords)
{
    state->itemTargetTime[3] = 45;
    state->itemLimitTime[3] = 90;
    showHub();
    for (int item : {1, 3, 19}) {
        EXPECT_EQ(state->itemTargetTime[item], 600) << item;
        EXPECT_EQ(state->itemLimitTime[item], 600) << item;
        EXPECT_FALSE(view.column(item).detailsVisible) << item;
        EXPECT_FALSE(view.column(item).listVisible) << item;
        EXPECT_TRUE(view.column(item).startEnabled) << item;
    }
    EXPECT_EQ(state->itemTargetTime[4], 60);
    EXPECT_TRUE(view.column(4).listVisible);
}

TEST_F(StudyHubTest, TheFinalItemCountsAsClearedOnlyWithEnoughRecentPointsAndAttempts)
{
    // 3 attempts are needed for 30 points; 20 seconds earns 2 x 19 points.
    writeResults({result(9, 20, 20, today()), result(9, 20, 20, today() - 1)});
    showHub();
    EXPECT_EQ(state->finalItemCleared, 0);
    writeResults({result(9, 20, 20, today()), result(9, 20, 20, today() - 1),
                  result(9, 20, 200, today() - 2)});
    showHub();
    EXPECT_EQ(state->finalItemCleared, 1);
    writeResults({result(9, 20, 20, today() - 7), result(9, 20, 20, today() - 8),
                  result(9, 20, 20, today() - 9)});
    showHub();
    EXPECT_EQ(state->finalItemCleared, 0);
}

TEST_F(StudyHubTest, ItemKeysOpenTheirItemOnlyWhenTheHubIsReady)
{
    hub = std::make_unique<StudyHub>(
        StudyHubServices{*state, navigator, records, clock, messages, studies, hooks}, view);
    hub->load();
    // Before the refresh has finished every key is swallowed.
    EXPECT_TRUE(hub->keyPressed(u'4'));
    EXPECT_TRUE(navigator.shown.isEmpty());

    hub->refreshHub();
    EXPECT_FALSE(hub->keyPressed(u'e'));
    EXPECT_FALSE(hub->keyPressed(u'D'));
    EXPECT_TRUE(navigator.shown.isEmpty());
    EXPECT_TRUE(hub->keyPressed(u'd'));
    EXPECT_EQ(state->drillItemNo, 13);
    EXPECT_EQ(navigator.shown, (QList<ScreenId>{ScreenId::Drill}));
    EXPECT_EQ(navigator.unloaded.last(), ScreenId::Hub);
    EXPECT_TRUE(view.waitPanelVisible);
    EXPECT_FALSE(hub->hubBusy());
    // A second start while the first is under way does nothing.
    hub->openItem(4);
    EXPECT_EQ(navigator.shown.size(), 1);
    EXPECT_EQ(state->drillItemNo, 13);
}

TEST_F(StudyHubTest, KeysBeyondTheItemCountDoNothing)
{
    state->itemCount = 4;
    showHub();
    EXPECT_FALSE(hub->keyPressed(u'5'));
    EXPECT_TRUE(navigator.shown.isEmpty());
    EXPECT_TRUE(hub->keyPressed(u'4'));
    EXPECT_EQ(state->drillItemNo, 4);
}

TEST_F(StudyHubTest, ZeroGoesBackToTheNameSelectionWithoutUnloadingTheHub)
{
    showHub();
    state->drillRun.timeOver = true;
    EXPECT_TRUE(hub->keyPressed(u'0'));
    EXPECT_EQ(navigator.shown, (QList<ScreenId>{ScreenId::NameSelection}));
    EXPECT_FALSE(navigator.unloaded.contains(ScreenId::Hub));
    EXPECT_TRUE(view.waitPanelVisible);
}

TEST_F(StudyHubTest, TheCaptionStartsTheDrillAtOnceAndKeepsTheHub)
{
    showHub();
    state->drillRun.timeOver = true;
    hub->captionClicked(6);
    EXPECT_EQ(state->drillItemNo, 6);
    EXPECT_FALSE(state->drillRun.timeOver);
    EXPECT_EQ(navigator.shown, (QList<ScreenId>{ScreenId::Drill}));
    EXPECT_FALSE(navigator.unloaded.contains(ScreenId::Hub));
    EXPECT_FALSE(view.waitPanelVisible);

    // The finish screen brings the same hub back; its items start drills again.
    hub->refreshHub();
    EXPECT_TRUE(hub->keyPressed(u'4'));
    EXPECT_EQ(state->drillItemNo, 4);
    EXPECT_EQ(navigator.shown.size(), 2);
}

TEST_F(StudyHubTest, TheTimeViewRanksBestTimesAndListsTodaysResults)
{
    writeResults({result(1, 2, 40, today() - 3), result(9, 2, 50, today(), QTime(9, 5)),
                  result(3, 2, 99999, today(), QTime(9, 30))});
    showHub();
    hub->displayKindChosen(StudyHub::TimeDisplay);
    EXPECT_EQ(hub->reportKind(), ReportKind::Time);
    EXPECT_EQ(view.periodCaptions[1], "BEST表示");
    EXPECT_EQ(view.periodCaptions[2], "本日のみ");
    EXPECT_EQ(view.heading, "ベスト成績");
    EXPECT_EQ(view.column(2).lines, (QStringList{" 1③あおい　　    40 　", " 2●ゆい　　　    50 ●",
                                                 "--⑤みなと　　------ 　"}));
    EXPECT_TRUE(view.column(1).lines.isEmpty());
    EXPECT_FALSE(view.column(1).listVisible);
    EXPECT_TRUE(view.column(2).listVisible);
    EXPECT_TRUE(view.backEnabled);

    hub->periodChosen(StudyHub::SecondPeriod);
    EXPECT_EQ(view.heading, "本日の成績");
    EXPECT_EQ(view.column(2).lines,
              (QStringList{"  50秒 09:05●ゆい　　　●5", "　　× 09:30⑤みなと　　⑤"}));
    EXPECT_FALSE(view.rankingPanelVisible);

    hub->periodChosen(StudyHub::AllRecordsPeriod);
    EXPECT_EQ(view.heading, "");
    EXPECT_EQ(view.column(2).lines.size(), 3);
}

TEST_F(StudyHubTest, ThePointsViewFollowsTheChosenPeriod)
{
    writeResults({result(1, 2, 40, today() - 3), result(9, 2, 50, today())});
    showHub();
    hub->periodChosen(StudyHub::SecondPeriod);
    EXPECT_EQ(hub->pointsPeriod(), PointsPeriod::Today);
    EXPECT_EQ(view.heading, "獲得ポイント（今日の順位）");
    EXPECT_EQ(view.column(2).lines, (QStringList{" 1●ゆい　　　 10/   10"}));

    hub->displayKindChosen(StudyHub::TimeDisplay);
    EXPECT_EQ(view.heading, "本日の成績");
    hub->displayKindChosen(StudyHub::PointsDisplay);
    EXPECT_EQ(view.periodCaptions[1], "合計累計");
    EXPECT_EQ(view.periodCaptions[2], "合計本日");
    EXPECT_EQ(view.periodCaptions[3], "すべて");
    EXPECT_EQ(view.heading, "獲得ポイント（今日の順位）");
}

TEST_F(StudyHubTest, PersonalTimesShowTheGraphButtonAndFillThePanelsLists)
{
    inst.writeText(QStringLiteral("files/生徒用名簿.txt"),
                   QStringLiteral("9,2017,0,0,\"ゆい                \",0,\"\",\"\"\n"
                                  "1,2017,0,0,\"あおい              \",2,\"\",\"\"\n"));
    writeResults({result(9, 4, 50, today(), QTime(9, 5, 7)), result(1, 4, 40, today())});
    showHub();
    hub->displayKindChosen(StudyHub::PersonalTimesDisplay);
    EXPECT_TRUE(view.graphButtonVisible);
    EXPECT_EQ(view.heading, "個人別ﾀｲﾑ");
    EXPECT_EQ(view.column(4).lines, (QStringList{"2026/04/10 9:05:07  50秒"}));
    EXPECT_TRUE(view.column(4).listVisible);
    EXPECT_TRUE(view.backEnabled);
    EXPECT_FALSE(view.rankingPanelVisible);
    EXPECT_EQ(hub->graphPupilList(), (QStringList{"小３ /  ゆい/9"}));
    EXPECT_EQ(hub->graphItemList().size(), 20);
    EXPECT_EQ(hub->graphPupil(), 9);

    hub->graphRequested();
    EXPECT_TRUE(hub->graphPanel().isOpen());
    EXPECT_EQ(hub->graphPanel().panelPupil(), 9);
    hub->displayKindChosen(StudyHub::PointsDisplay);
    EXPECT_FALSE(view.graphButtonVisible);
    EXPECT_FALSE(hub->graphPanel().isOpen());
}

TEST_F(StudyHubTest, TheGradeFilterRebuildsTheSelectedView)
{
    writeResults({result(1, 2, 40, today()), result(3, 2, 50, today()), result(9, 2, 45, today())});
    showHub();
    hub->gradeFilterChosen(QStringLiteral("小５"));
    EXPECT_EQ(view.column(2).lines, (QStringList{" 2⑤みなと　　 10/   10"}));
    EXPECT_EQ(view.log.last(), "focus Command4_1");

    hub->displayKindChosen(StudyHub::PersonalTimesDisplay);
    EXPECT_TRUE(view.column(2).lines.isEmpty()); // pupil 9 is not in grade 5
    hub->gradeFilterChosen(QStringLiteral("小３"));
    EXPECT_EQ(hub->displayKind(), StudyHub::PersonalTimesDisplay);
    EXPECT_EQ(view.heading, "個人別ﾀｲﾑ");
    EXPECT_EQ(view.column(2).lines.size(), 1);

    hub->displayKindChosen(StudyHub::TimeDisplay);
    hub->gradeFilterChosen(QStringLiteral("全学年"));
    EXPECT_EQ(hub->reportKind(), ReportKind::Time);
    EXPECT_EQ(view.column(2).lines.size(), 3);
}

TEST_F(StudyHubTest, TheRecordsBoxRebuildsOnlyTheAllRecordsView)
{
    writeResults({result(1, 2, 40, today())});
    showHub();
    view.column(2);
    view.columns[2].lines.clear();
    hub->recordsBoxChosen();
    EXPECT_TRUE(view.column(2).lines.isEmpty());
    hub->periodChosen(StudyHub::AllRecordsPeriod);
    view.columns[2].lines.clear();
    hub->recordsBoxChosen();
    EXPECT_EQ(view.column(2).lines, (QStringList{"  40秒 04/10③あおい　　③6"}));
}

TEST_F(StudyHubTest, AnUnreadableResultFileLeavesTheListsEmptyWithANotice)
{
    writeResults({result(1, 2, 40, today())});
    showHub();
    hub->displayKindChosen(StudyHub::TimeDisplay);
    calls.openErrors = {EIO};
    hub->periodChosen(StudyHub::SecondPeriod);
    EXPECT_TRUE(view.heading.startsWith(kUnreadableResultFileText));
    EXPECT_TRUE(view.column(2).lines.isEmpty());
    EXPECT_TRUE(view.backEnabled);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(StudyHubTest, ARosterOfMoreThan2000PupilsIsRankedByItsFirstLinesWithOneNotice)
{
    for (int line = state->listedPupilCount + 1; line <= kMaxRankedPupils + 5; ++line)
        addPupil(100 + line, 2017, QStringLiteral("p"));
    showHub();
    hub->periodChosen(StudyHub::SecondPeriod);
    hub->periodChosen(StudyHub::FirstPeriod);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown.first().text, kRosterCapText);
    EXPECT_EQ(view.column(2).lines.size(), kMaxRankedPupils);
}

TEST_F(StudyHubTest, HeaderLinesFollowThePupilTheClockAndTheTitle)
{
    state->pupilName = QStringLiteral("山田先生            ");
    state->pupilStartTime = 23 * 3600 + 50 * 60;
    clock.current = QDateTime(QDate(2026, 4, 11), QTime(0, 10, 30));
    state->contentName = QStringLiteral("四字熟語ドリル・練習帳");
    showHub();
    EXPECT_TRUE(hub->graphPanel().printAllowed());
    EXPECT_EQ(view.pupilLine, "小３ 山田先生");
    EXPECT_EQ(view.minutesLine, "起動後20分");
    EXPECT_EQ(view.titlePointSize, 20);
}

namespace {

// The hub over a study log in which pupil 9 answered one idiom on day, with the exam dates of
// the shared folder's pupil settings.
class HubReviewTest : public StudyHubTest
{
protected:
    HubReviewTest() { hooks.examDates = examDates; }

    void setExamDate(const QDate& date, const QDate& setOn)
    {
        ASSERT_TRUE(examDates->setDate(9, date, setOn).ok());
    }

    std::shared_ptr<ExamDates> examDates = std::make_shared<SharedPupilSettings>([this] {
        return PupilSettingsFile(state->commonFolder + QString::fromUtf8(kPupilSettingsFileName),
                                 calls, sleeper);
    });

    void logAnswer(const QDate& day, bool right)
    {
        StudyEvent event;
        event.date = day;
        event.pupilNo = 9;
        event.idiom = QStringLiteral("一石二鳥");
        event.range = 2;
        event.itemNo = 4;
        event.wrongIdiom = !right;
        ASSERT_TRUE(StudyLogWriter(calls, sleeper)
                        .append(state->commonFolder + QString::fromUtf8(kStudyLogFileName), event)
                        .ok());
    }
};

} // namespace

TEST_F(HubReviewTest, WithNothingDueTheButtonIsGreyedAndTheLineTellsWhatComesNext)
{
    showHub();
    EXPECT_EQ(view.reviewOffer.caption, QStringLiteral("復習 0問"));
    EXPECT_FALSE(view.reviewOffer.enabled);
    EXPECT_EQ(view.reviewOffer.line,
              QStringLiteral("テストをすると、まちがえた熟語が復習に出ます"));
    hub->keyPressed(u'r');
    EXPECT_TRUE(navigator.shown.isEmpty());

    logAnswer(clock.current.date(), true); // a first Good: due in two days
    showHub();
    EXPECT_FALSE(view.reviewOffer.enabled);
    EXPECT_EQ(view.reviewOffer.line, QStringLiteral("次の復習は4月12日"));
}

TEST_F(HubReviewTest, AnIdiomDueTodayOpensTheReviewByButtonOrKey)
{
    logAnswer(clock.current.date().addDays(-1), false);
    showHub();
    EXPECT_EQ(view.reviewOffer.caption, QStringLiteral("復習 1問"));
    EXPECT_TRUE(view.reviewOffer.enabled);
    EXPECT_TRUE(hub->keyPressed(u'R'));
    EXPECT_TRUE(state->reviewDrill);
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Drill});
}

TEST_F(HubReviewTest, WithAnExamAheadTheLineGivesThePlanAndHowFarBehindItThePupilIs)
{
    const QDate today = clock.current.date();
    logAnswer(today.addDays(-1), false);
    setExamDate(today.addDays(54), today);
    showHub();
    EXPECT_EQ(view.reviewOffer.line,
              QStringLiteral("試験まであと54日：きょうは 範囲１のテスト と 復習1問"));

    // Set 95 days before an exam now 5 days off: its last 14 days are for review, and range 1
    // was due by the day before they began.
    setExamDate(QDate(), today);
    setExamDate(today.addDays(5), today.addDays(-95));
    showHub();
    EXPECT_EQ(
        view.reviewOffer.line,
        QStringLiteral("試験まであと5日：きょうは 復習1問　範囲１が予定より10日おくれています"));

    setExamDate(QDate(), today);
    showHub();
    EXPECT_TRUE(view.reviewOffer.line.isEmpty());
}

TEST_F(HubReviewTest, AnIdiomFadingByTheExamIsDueThoughItsPlainReviewComesAfter)
{
    // Right three times, last 12 days ago: next due in about 18 days, recalled below the exam's
    // target by tomorrow.
    const QDate today = clock.current.date();
    for (const int daysAgo : {19, 17, 12})
        logAnswer(today.addDays(-daysAgo), true);
    showHub();
    EXPECT_EQ(view.reviewOffer.caption, QStringLiteral("復習 0問"));

    setExamDate(today.addDays(1), today);
    showHub();
    EXPECT_EQ(view.reviewOffer.caption, QStringLiteral("復習 1問"));
    EXPECT_TRUE(view.reviewOffer.enabled);
}

TEST_F(HubReviewTest, ADamagedSettingsFileKeepsThisPupilsDateAndIsToldOnce)
{
    const QDate today = clock.current.date();
    setExamDate(today.addDays(54), today);
    QFile file(state->commonFolder + QString::fromUtf8(kPupilSettingsFileName));
    ASSERT_TRUE(file.open(QIODevice::Append));
    file.write("3\texam=2027-01-20\t00000000\n");
    file.close();

    showHub();
    showHub();
    EXPECT_EQ(view.reviewOffer.line, QStringLiteral("試験まであと54日：きょうは 範囲１のテスト"));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown.front().text.contains(QStringLiteral("1人分")))
        << messages.shown.front().text.toStdString();
}
