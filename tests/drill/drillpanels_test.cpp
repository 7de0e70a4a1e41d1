#include "drill/statuspanel.h"
#include "drillfixture.h"
#include "platform/daynumber.h"
#include "testresults.h"

#include <QTime>

namespace {

// The walk's question after "答えを見る" and then "次へ" (or "この問題覚えた").
class PracticeWalkTest : public DrillTest
{
protected:
    int shownQuestion() const { return engine->currentQuestion(); }
    void goOn()
    {
        engine->practiceShowAnswerClicked();
        engine->practiceNextClicked();
    }
    void strike()
    {
        engine->practiceShowAnswerClicked();
        engine->practiceMemorisedClicked();
    }
    // The next n questions shown by going on.
    QList<int> walk(int n)
    {
        QList<int> order;
        for (int k = 0; k < n; ++k) {
            order << shownQuestion();
            goOn();
        }
        return order;
    }
};

} // namespace

TEST_F(PracticeWalkTest, TheWalkGoesRoundTheRangeInFileOrder)
{
    start(3);
    EXPECT_TRUE(shown().backVisible);
    EXPECT_TRUE(shown().showAnswerVisible);
    EXPECT_FALSE(shown().practiceNextVisible);
    EXPECT_FALSE(shown().memorisedVisible);
    EXPECT_FALSE(shown().readingPanelVisible);
    EXPECT_FALSE(shown().kanjiPanelVisible);
    EXPECT_FALSE(shown().okVisible);
    EXPECT_TRUE(shown().clockRunning);
    EXPECT_EQ(shown().meaning, engine->questions().question(1).meaning);
    EXPECT_TRUE(shown().slotTexts[1].isEmpty());
    EXPECT_TRUE(voicesPlayed().isEmpty()); // the walk asks nothing and plays nothing
    EXPECT_EQ(walk(7), (QList<int>{1, 2, 3, 1, 2, 3, 1}));
}

TEST_F(PracticeWalkTest, ShowingTheAnswerFillsTheSlotsAndTheReadingLine)
{
    start(3);
    engine->practiceShowAnswerClicked();
    EXPECT_EQ(shown().slotTexts[1] + shown().slotTexts[2] + shown().slotTexts[3] +
                  shown().slotTexts[4],
              QStringLiteral("一石二鳥"));
    EXPECT_EQ(shown().readingLine, QStringLiteral("いっせきにちょう"));
    EXPECT_FALSE(shown().showAnswerVisible);
    EXPECT_TRUE(shown().practiceNextVisible);
    EXPECT_TRUE(shown().memorisedVisible);
    engine->practiceNextClicked();
    EXPECT_TRUE(shown().slotTexts[1].isEmpty());
    EXPECT_TRUE(shown().readingLine.isEmpty());
}

TEST_F(PracticeWalkTest, AStruckIdiomIsPassedOver)
{
    start(3);
    goOn();
    strike(); // 2
    EXPECT_EQ(walk(5), (QList<int>{3, 1, 3, 1, 3}));
    EXPECT_EQ(shown().remaining, QStringLiteral("2"));
}

TEST_F(PracticeWalkTest, TheFirstIdiomStruckAtFirstSightIsPassedOverAfterTheWrapToo)
{
    start(3);
    strike(); // 1
    EXPECT_EQ(walk(5), (QList<int>{2, 3, 2, 3, 2}));
}

TEST_F(PracticeWalkTest, StrikingTheLastIdiomReturnsToTheHubWithoutARecord)
{
    start(3);
    strike();
    strike();
    EXPECT_TRUE(navigator.shown.isEmpty());
    strike();
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});
    EXPECT_EQ(navigator.unloaded, (QList<ScreenId>{ScreenId::Hub, ScreenId::Drill}));
    EXPECT_TRUE(navigator.waitFormVisible);
    EXPECT_FALSE(shown().clockRunning);
    EXPECT_TRUE(resultBytes().isEmpty());
}

TEST_F(PracticeWalkTest, BackReturnsToTheHubWithoutARecord)
{
    start(3);
    engine->practiceBackClicked();
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});
    EXPECT_FALSE(shown().clockRunning);
    tickAt(300'000);
    EXPECT_FALSE(state.drillRun.timeOver);
    EXPECT_TRUE(resultBytes().isEmpty());
}

TEST_F(PracticeWalkTest, ARangeOfMoreThanAHundredIdiomsCanBeWalkedToTheEnd)
{
    const QString kanji = QStringLiteral("一二三四五六七八九十百千万日月火水木金土山川田人口目"
                                         "耳手足力上下左右大小中本");
    std::vector<QStringList> records;
    for (int n = 0; n < 150; ++n) {
        const QString idiom = kanji.mid(n % 40, 1) + kanji.mid(n / 40, 1) + QStringLiteral("学習");
        records.push_back({QStringLiteral("2"), idiom, QStringLiteral("あいうえお"),
                           QStringLiteral("意味%1").arg(n)});
    }
    writeIdioms(records);
    start(3);
    ASSERT_EQ(engine->questions().questionCount(), 150);
    for (int n = 1; n <= 150; ++n) {
        ASSERT_EQ(shownQuestion(), n);
        strike();
    }
    EXPECT_EQ(engine->walk().markCount(), 150);
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});
}

// ---- status panel and gauge

class StatusPanelTest : public DrillTest
{
protected:
    StatusPanelTest() { state.drillItemNo = 4; }

    DrillDisplay setUp()
    {
        DrillDisplay display;
        panel.setUp(state, records.tables(), clock.now().time(), display);
        return display;
    }
    QList<int> hiddenBoxes(const DrillDisplay& display) const
    {
        QList<int> hidden;
        for (int box = DrillDisplay::kFirstBox; box <= DrillDisplay::kLastBox; ++box) {
            if (!display.boxVisible[box])
                hidden << box;
        }
        return hidden;
    }

    StatusPanel panel;
};

TEST_F(StatusPanelTest, TheBoxesOfTheLastGroupVanishDuringTheTenSecondsBeforeTheTarget)
{
    state.itemTargetTime[4] = 40;
    state.itemLimitTime[4] = 100;
    DrillDisplay display = setUp();
    panel.updateGauge(30, display);
    EXPECT_TRUE(hiddenBoxes(display).isEmpty());
    panel.updateGauge(31, display);
    EXPECT_EQ(hiddenBoxes(display), QList<int>{30});
    panel.updateGauge(35, display);
    EXPECT_EQ(hiddenBoxes(display), (QList<int>{30, 31, 32, 33, 34}));
    panel.updateGauge(40, display);
    EXPECT_EQ(hiddenBoxes(display), (QList<int>{30, 31, 32, 33, 34, 35, 36, 37, 38, 39}));
    panel.updateGauge(41, display);
    EXPECT_EQ(hiddenBoxes(display).size(), 10);
}

TEST_F(StatusPanelTest, BeforeTheLimitTimeOnlyTheBoxOfTheExactSecondVanishes)
{
    state.itemTargetTime[4] = 20;
    state.itemLimitTime[4] = 60;
    DrillDisplay display = setUp();
    panel.updateGauge(51, display);
    EXPECT_EQ(hiddenBoxes(display), QList<int>{30});
    panel.updateGauge(55, display); // a penalty skipped 52 to 54: their boxes stay
    EXPECT_EQ(hiddenBoxes(display), (QList<int>{30, 34}));
    panel.updateGauge(60, display);
    EXPECT_EQ(hiddenBoxes(display), (QList<int>{30, 34, 39}));
}

TEST_F(StatusPanelTest, TheGaugeFillsTowardsFiveTimesTheLimitTime)
{
    state.itemTargetTime[4] = 45;
    state.itemLimitTime[4] = 60;
    DrillDisplay display = setUp();
    EXPECT_EQ(panel.timeLimit(), 300);
    EXPECT_EQ(display.gaugeBar, 0);
    EXPECT_EQ(display.targetMark, 90); // 45 of 300 seconds
    EXPECT_EQ(display.limitMark, 120);
    EXPECT_EQ(display.elapsed, QStringLiteral("0"));
    panel.updateGauge(150, display);
    EXPECT_EQ(display.gaugeBar, DrillDisplay::kGaugeUnits / 2);
    EXPECT_EQ(display.elapsed, QStringLiteral("150"));
    panel.updateGauge(320, display);
    EXPECT_EQ(display.gaugeBar, DrillDisplay::kGaugeUnits);
}

TEST_F(StatusPanelTest, AZeroLimitTimeGivesAnEmptyGaugeNotADivisionByZero)
{
    state.itemLimitTime[4] = 0;
    DrillDisplay display = setUp();
    panel.updateGauge(5, display);
    EXPECT_EQ(display.gaugeBar, DrillDisplay::kGaugeUnits);
    EXPECT_EQ(display.limitMark, 0);
}

TEST_F(StatusPanelTest, WhoWhatAndTodaysAttemptsOfATest)
{
    const double today = DayNumber::fromDate(clock.now().date());
    writeResultFile(inst, {
                              testResult(7, 4, 50, today),
                              testResult(7, 4, 99999, today), // a time-over is no attempt
                              testResult(7, 4, 60, today),
                              testResult(7, 2, 70, today),
                              testResult(7, 4, 40, today - 1),
                              testResult(8, 4, 40, today),
                          });
    records.computeStatistics();

    const DrillDisplay display = setUp();
    EXPECT_EQ(display.levelCount, QStringLiteral("3"));
    EXPECT_EQ(display.todayCount, QStringLiteral("4"));
    EXPECT_EQ(display.contentName, QStringLiteral("Sorawa"));
    EXPECT_EQ(display.contentPointSize, 16.8);
    EXPECT_EQ(display.pupilName, QStringLiteral("さくら"));
    EXPECT_EQ(display.levelName, QStringLiteral("範囲２"));
    EXPECT_EQ(display.schoolName, QStringLiteral("テスト教室"));
    EXPECT_EQ(display.minutes, QStringLiteral("15"));

    state.contentName = QStringLiteral("四字熟語ドリル上級編です");
    state.pupilName = QStringLiteral("  山田　花子  ");
    const DrillDisplay longer = setUp();
    EXPECT_EQ(longer.contentPointSize, 14);
    EXPECT_EQ(longer.pupilName, QStringLiteral("山田　花子"));
}

TEST_F(StatusPanelTest, AFirstAttemptCountsOneAndAPracticeItemShowsDashes)
{
    DrillDisplay display = setUp();
    EXPECT_EQ(display.levelCount, QStringLiteral("1"));
    EXPECT_EQ(display.todayCount, QStringLiteral("1"));
    state.drillItemNo = 3;
    display = setUp();
    EXPECT_EQ(display.levelCount, QStringLiteral("－"));
    EXPECT_EQ(display.todayCount, QStringLiteral("－"));
}

TEST(StatusPanelMinutes, WholeMinutesSinceThePupilWasChosenEvenAcrossMidnight)
{
    const int chosen = QTime(10, 0).msecsSinceStartOfDay() / 1000;
    EXPECT_EQ(StatusPanel::minutesSinceChosen(chosen, QTime(10, 2, 5)), QStringLiteral("2"));
    EXPECT_EQ(StatusPanel::minutesSinceChosen(chosen, QTime(10, 0, 59)), QStringLiteral("0"));
    const int lateEvening = QTime(23, 58).msecsSinceStartOfDay() / 1000;
    EXPECT_EQ(StatusPanel::minutesSinceChosen(lateEvening, QTime(0, 3, 30)), QStringLiteral("5"));
}

TEST_F(DrillTest, TheMinuteTimerRefreshesTheMinutesAndTheClockDrivesTheGauge)
{
    start(4);
    EXPECT_EQ(shown().minutes, QStringLiteral("15"));
    clock.current = clock.current.addSecs(125);
    engine->minuteTick();
    EXPECT_EQ(shown().minutes, QStringLiteral("17"));
    tickAt(150'000);
    EXPECT_EQ(shown().gaugeBar, DrillDisplay::kGaugeUnits / 2);
    EXPECT_EQ(shown().elapsed, QStringLiteral("150"));
    EXPECT_EQ(view.shown.gaugeBar, DrillDisplay::kGaugeUnits / 2);
}
