#include "finishfixture.h"
#include "records/mastery.h"

namespace {

// Holds what the screen would show.
class RecordingView : public FinishView
{
public:
    void setTodayItemText(const QString& text) override { label13.append(text); }
    void setTodayTotalText(const QString& text) override { label14 = text; }
    void setContentName(const QString& text) override { label15 = text; }
    void setItemName(const QString& text) override { label16 = text; }
    void setPupilName(const QString& text) override { label17 = text; }
    void setResultText(const QString& text) override { label18 = text; }
    void setPointsText(const QString& text) override { label19 = text; }
    void showMessage(const QString& text) override { label20 = text; }
    void setLevelText(const QString& text) override { label2 = text; }
    void setLevelVisible(bool visible) override { label2Visible = visible; }
    void setTargetPanelVisible(bool visible) override { picture1Visible = visible; }
    void showMenuButton() override { command4Visible = true; }
    void setAgainButtonVisible(bool visible) override { command5Visible = visible; }
    void disableButtons() override { buttonsEnabled = false; }
    void startTimer1() override { timer1Running = true; }
    void stopTimer1() override { timer1Running = false; }

    QStringList label13;
    QString label14, label15, label16, label17, label18, label19, label2;
    QString label20; // empty while hidden
    bool label2Visible = false;
    bool picture1Visible = false;
    bool command4Visible = false;
    bool command5Visible = false;
    bool buttonsEnabled = true;
    bool timer1Running = false;
};

class DrillFinishTest : public FinishFixture
{
protected:
    RecordingView view;
    DrillFinish finish{services, view};
};

} // namespace

TEST(FinishTexts, PointsLineGivesBaseMultiplierAndProduct)
{
    const struct
    {
        qint32 result;
        float multiplier;
        const char* line;
    } cases[] = {
        {30, 10.0f, "獲得ポイント：11点×10→110点"},
        {99999, 2.5f, "獲得ポイント：0点×2.5→0点"},
        {60, 1.4f, "獲得ポイント：5点×1.4→7点"}, // multiplied in single precision
        {45, 0.25f, "獲得ポイント：5点×0.25→1点"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DrillFinish::pointsLine(c.result, 60, c.multiplier), QString::fromUtf8(c.line))
            << c.result << " x " << c.multiplier;
}

TEST(FinishTexts, ResultLineShowsNoTimeForATimeOver)
{
    EXPECT_EQ(DrillFinish::resultLine(45), QStringLiteral("今の成績：45秒"));
    EXPECT_EQ(DrillFinish::resultLine(99997), QStringLiteral("今の成績：99997秒"));
    EXPECT_EQ(DrillFinish::resultLine(99998), QStringLiteral("記録なし"));
    EXPECT_EQ(DrillFinish::resultLine(99999), QStringLiteral("記録なし"));
}

TEST(FinishTexts, MultiplierIsWrittenInItsShortestSinglePrecisionForm)
{
    EXPECT_EQ(multiplierText(10.0f), QStringLiteral("10"));
    EXPECT_EQ(multiplierText(1.5f), QStringLiteral("1.5"));
    EXPECT_EQ(multiplierText(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(multiplierText(1.4f), QStringLiteral("1.4"));
    EXPECT_EQ(multiplierText(0.0f), QStringLiteral("0"));
}

TEST_F(DrillFinishTest, PointsLineAgreesWithTheStatistics)
{
    state->itemTargetTime[4] = 47;
    state->itemField5[4] = 1.3f;
    for (qint32 result : {0, 1, 13, 23, 46, 47, 48, 93, 94, 470, 999, 5999, 99999}) {
        const QString line = DrillFinish::pointsLine(result, 47, 1.3f);
        EXPECT_TRUE(line.endsWith(QStringLiteral("→%1点").arg(records.pointsFor(result, 4))))
            << result << " " << line.toStdString();
    }
}

TEST_F(DrillFinishTest, MasteryNeedsTheRequiredPointsAndAttemptsInTheFirstWindow)
{
    state->finalItemNo = 20;
    // Three results of 30 s earn 3 x 110 points; the fourth, eight days ago, is outside.
    writeEarlier({{kPupil, 20, 30, 0}, {kPupil, 20, 30, 1}, {kPupil, 20, 30, 8}});
    records.computeStatistics();
    const ResultTables& tables = records.tables();
    EXPECT_FALSE(recentlyMastered(*state, tables, 20, kPupil)); // two attempts in the window
    state->itemRequiredCount[20] = 2;
    EXPECT_TRUE(recentlyMastered(*state, tables, 20, kPupil));
    EXPECT_EQ(finalItemClearedFor(*state, tables, kPupil), 1);
    state->itemRequiredScore[20] = 221;
    EXPECT_FALSE(recentlyMastered(*state, tables, 20, kPupil));
    EXPECT_EQ(finalItemClearedFor(*state, tables, kPupil), 0);
    EXPECT_FALSE(recentlyMastered(*state, tables, 36, kPupil));
    EXPECT_FALSE(recentlyMastered(*state, tables, 20, 5001));
}

TEST_F(DrillFinishTest, TimeOverShowsNoRecordAndPlaysNoCue)
{
    writeEarlier({{kPupil, 4, 50, 1}});
    finishDrill(4, 99999, true);
    state->newPersonalBest = 1; // the time-over message wins over any record message
    finish.activate();
    EXPECT_EQ(view.label18, QStringLiteral("記録なし"));
    EXPECT_EQ(view.label20, QStringLiteral("時間切れ"));
    EXPECT_EQ(view.label19, QStringLiteral("獲得ポイント：0点×10→0点"));
    EXPECT_TRUE(output.commands.isEmpty());
    EXPECT_EQ(state->newPersonalBest, 0);
}

TEST_F(DrillFinishTest, RecordMessagesAndFanfaresFirstMatchWins)
{
    // The first result of anyone on item 6 is both a personal and an overall best.
    finishDrill(6, 45);
    ASSERT_EQ(state->newPersonalBest, 1);
    ASSERT_EQ(state->newOverallBest, 1);
    finish.activate();
    EXPECT_EQ(view.label20, QStringLiteral("！！！最高新記録！！！"));
    EXPECT_EQ(output.commands, QStringList{cue(QStringLiteral("最高1"))});
    EXPECT_EQ(state->newPersonalBest, 0);
    EXPECT_EQ(state->newOverallBest, 0);
}

TEST_F(DrillFinishTest, PersonalBestBelowTheOverallBestPlaysThePersonalCue)
{
    writeEarlier({{kOther, 6, 30, 2}, {kPupil, 6, 80, 1}});
    finishDrill(6, 50);
    finish.activate();
    EXPECT_EQ(view.label20, QStringLiteral("新記録おめでとう"));
    EXPECT_EQ(output.commands, QStringList{cue(QStringLiteral("best"))});
}

TEST_F(DrillFinishTest, WithoutARecordOnlyAResultWithinTheLimitPlaysTheFailCue)
{
    writeEarlier({{kPupil, 6, 40, 1}});
    finishDrill(6, 120); // at the limit
    finish.activate();
    EXPECT_TRUE(view.label20.isEmpty());
    EXPECT_EQ(output.commands, QStringList{cue(QStringLiteral("fail"))});

    output.commands.clear();
    RecordingView slowView;
    DrillFinish slow{services, slowView};
    finishDrill(6, 121);
    slow.activate();
    EXPECT_TRUE(output.commands.isEmpty());
}

TEST_F(DrillFinishTest, FirstMasteryOfTheTargetItemShowsThePanelAndPlaysThePassCue)
{
    writeEarlier({{kPupil, 20, 30, 0}, {kPupil, 20, 30, 1}});
    finishDrill(20, 30); // the third attempt: mastered now, not before
    ASSERT_EQ(state->itemMastered, 0);
    finish.activate();
    EXPECT_TRUE(view.label2Visible);
    EXPECT_EQ(view.label2, QStringLiteral("このレベルクリア"));
    EXPECT_TRUE(view.picture1Visible);
    EXPECT_EQ(output.commands,
              (QStringList{cue(QStringLiteral("fail")), cue(QStringLiteral("合格"))}));
    EXPECT_TRUE(view.timer1Running);

    finish.timer1Fired();
    EXPECT_FALSE(view.picture1Visible);
    EXPECT_FALSE(view.timer1Running);
    EXPECT_TRUE(view.command4Visible);
    EXPECT_TRUE(view.command5Visible);
}

TEST_F(DrillFinishTest, TargetItemMasteredBeforeHasNoPanelNorPassCue)
{
    writeEarlier({{kPupil, 20, 30, 0}, {kPupil, 20, 30, 1}, {kPupil, 20, 30, 2}});
    finishDrill(20, 31);
    ASSERT_EQ(state->itemMastered, 1);
    finish.activate();
    EXPECT_TRUE(view.label2Visible);
    EXPECT_FALSE(view.picture1Visible);
    EXPECT_EQ(output.commands, QStringList{cue(QStringLiteral("fail"))});
}

TEST_F(DrillFinishTest, AnUnreachableItemMeansNoTargetPanelButStillThePassCue)
{
    state->itemRequiredCount[33] = 9999;
    writeEarlier({{kPupil, 20, 30, 0}, {kPupil, 20, 30, 1}});
    finishDrill(20, 30);
    finish.activate();
    EXPECT_TRUE(view.label2Visible);
    EXPECT_FALSE(view.picture1Visible);
    EXPECT_EQ(output.commands.last(), cue(QStringLiteral("合格")));
}

TEST_F(DrillFinishTest, CountsNamesAndTitles)
{
    writeEarlier({{kPupil, 4, 50, 0},
                  {kPupil, 4, 99999, 0},
                  {kPupil, 25, 70, 0},
                  {kPupil, 4, 40, 1},
                  {kOther, 4, 40, 0}});
    finishDrill(4, 45);
    finish.activate();
    // First a figure from before the drill (1 attempt counted today, + 1), then the new count.
    EXPECT_EQ(view.label13,
              (QStringList{QStringLiteral("2"), QStringLiteral(" (このレベル　2回目)")}));
    EXPECT_EQ(view.label14, QStringLiteral("（3回目)")); // items beyond the catalogue count too
    EXPECT_EQ(view.label17, QStringLiteral("山田　花子"));
    EXPECT_EQ(view.label15, QStringLiteral("Sorawa"));
    EXPECT_EQ(view.label16, QStringLiteral("範囲２"));
    EXPECT_EQ(view.label18, QStringLiteral("今の成績：45秒"));
}

TEST_F(DrillFinishTest, Timer1DecidesOnceMoreAndTheMoveOnAdvice)
{
    // Item 8 is mastered with three attempts in 7 days; four in 30 days earn 440 points.
    const struct
    {
        int finalItemNo;
        qint16 finalItemCleared;
        QString text6;
        QString text7;
        bool offerAgain;
        QString label2;
        bool label2Visible;
    } cases[] = {
        {20, 0, "4", "0", false, kMoveOnText, true},        // advice instead of once more
        {20, 1, "4", "0", true, kLevelClearedText, true},   // target level already cleared
        {20, 0, "5", "0", true, kLevelClearedText, true},   // goal not reached
        {20, 0, "0", "440", false, kMoveOnText, true},      // points goal: 4 x 110
        {20, 0, "0", "441", true, kLevelClearedText, true}, // one point short
        {8, 0, "4", "0", true, QString(), false},           // the target item itself
    };
    for (const auto& c : cases) {
        RecordingView caseView;
        DrillFinish caseFinish{services, caseView};
        state->finalItemNo = static_cast<qint16>(c.finalItemNo);
        state->finalItemCleared = c.finalItemCleared;
        state->itemText6[8] = c.text6;
        state->itemText7[8] = c.text7;
        writeEarlier({{kPupil, 8, 30, 0}, {kPupil, 8, 30, 1}, {kPupil, 8, 30, 20}});
        finishDrill(8, 30);
        caseFinish.activate();
        ASSERT_TRUE(caseFinish.mastered());
        caseFinish.timer1Fired();
        EXPECT_TRUE(caseView.command4Visible);
        EXPECT_EQ(caseView.command5Visible, c.offerAgain) << c.text6.toStdString();
        EXPECT_EQ(caseView.label2, c.label2) << c.text6.toStdString();
        EXPECT_EQ(caseView.label2Visible, c.label2Visible);
    }
}

TEST_F(DrillFinishTest, NotMasteredAlwaysOffersOnceMore)
{
    // Two attempts within 7 days, three within 30: the move-on goal of 1 is reached.
    writeEarlier({{kPupil, 8, 30, 0}, {kPupil, 8, 30, 20}});
    state->itemText6[8] = QStringLiteral("1");
    state->finalItemNo = 20;
    finishDrill(8, 30);
    finish.activate();
    ASSERT_FALSE(finish.mastered());
    finish.timer1Fired();
    EXPECT_TRUE(view.command5Visible);
    EXPECT_FALSE(view.label2Visible);
}

TEST_F(DrillFinishTest, MenuShowsTheHubAndOnceMoreStartsTheSameDrill)
{
    finishDrill(6, 45);
    finish.activate();
    finish.timer1Fired();
    finish.backToMenu();
    finish.again(); // too late: the hub is on its way
    finish.backToMenu();
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});
    EXPECT_EQ(navigator.unloaded, QList<ScreenId>{ScreenId::Finish});
    EXPECT_FALSE(view.buttonsEnabled);

    RecordingView againView;
    FakeNavigator drillNavigator;
    finishDrill(6, 99999, true);
    DrillFinish again{FinishServices{*state, drillNavigator, sound, records}, againView};
    again.activate();
    again.timer1Fired();
    again.again();
    again.again();
    EXPECT_TRUE(drillNavigator.waitFormVisible);
    EXPECT_EQ(drillNavigator.shown, QList<ScreenId>{ScreenId::Drill});
    EXPECT_EQ(drillNavigator.unloaded, QList<ScreenId>{ScreenId::Finish});
    EXPECT_FALSE(state->drillRun.timeOver); // a fresh run
    EXPECT_EQ(state->drillItemNo, 6);
}

TEST_F(DrillFinishTest, AClickDuringTheFanfareTakesEffectAfterTheActivation)
{
    finishDrill(6, 45); // a new overall best: the top cue plays
    navigator.waitFormVisible = true;
    output.whilePlaying = [&](const QString&) {
        // Timer1 fires and the pupil presses "メニューへ" while events run around the fanfare.
        finish.timer1Fired();
        finish.backToMenu();
        EXPECT_TRUE(navigator.shown.isEmpty());
    };
    finish.activate();
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});
    EXPECT_EQ(navigator.unloaded, QList<ScreenId>{ScreenId::Finish});
    EXPECT_FALSE(navigator.waitFormVisible);
    EXPECT_EQ(state->newOverallBest, 0);
}

TEST_F(DrillFinishTest, NumbersOutsideTheTablesShowNothingInsteadOfFailing)
{
    writeEarlier({{kPupil, 4, 50, 0}});
    state->pupilNo = 6000;
    state->drillItemNo = 40;
    state->drillResult = 50;
    finish.activate();
    finish.timer1Fired();
    EXPECT_EQ(view.label16, QString());
    EXPECT_EQ(view.label14, QStringLiteral("（0回目)"));
    EXPECT_TRUE(view.command5Visible);
}
