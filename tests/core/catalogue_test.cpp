#include "core/catalogue.h"
#include "core/dayclock.h"
#include "core/grades.h"
#include "core/sharedstate.h"
#include "fakenavigator.h"

#include <gtest/gtest.h>

TEST(Catalogue, OpenFillsTwentyCaptionsAndShowsTheHub)
{
    SharedState state;
    FakeNavigator navigator;
    openCatalogue(state, navigator);
    const SharedState first = state;
    openCatalogue(state, navigator);

    EXPECT_EQ(state.itemCount, 20);
    EXPECT_EQ(state.finalItemNo, 20);
    EXPECT_EQ(state.itemName[1], QStringLiteral("範囲１練"));
    EXPECT_EQ(state.itemName[4], QStringLiteral("範囲２"));
    EXPECT_EQ(state.itemName[19], QStringLiteral("範囲１０練"));
    EXPECT_EQ(state.itemName[20], QStringLiteral("範囲１０"));
    EXPECT_TRUE(state.itemName[21].isEmpty());
    for (int k = 1; k <= 20; ++k) {
        EXPECT_EQ(state.itemName[k], first.itemName[k]);
        EXPECT_EQ(state.itemKind[k], 1);
        EXPECT_EQ(isPracticeItem(state, k), k % 2 == 1) << k;
    }
    EXPECT_EQ(state.itemKind[0], 0);
    EXPECT_EQ(state.itemKind[21], 0);
    EXPECT_FALSE(isPracticeItem(state, 0));
    EXPECT_FALSE(isPracticeItem(state, 99));
    EXPECT_EQ(navigator.shown, (QList<ScreenId>{ScreenId::Hub, ScreenId::Hub}));
}

TEST(Catalogue, StartDrillClearsTheRunFlagsAndShowsTheDrill)
{
    SharedState state;
    state.drillRun = {true, true, true, true};
    FakeNavigator navigator;
    startDrill(state, navigator);
    EXPECT_FALSE(state.drillRun.timeOver);
    EXPECT_FALSE(state.drillRun.drillEnding);
    EXPECT_FALSE(state.drillRun.answerLocked);
    EXPECT_FALSE(state.drillRun.nextLocked);
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Drill});
}

TEST(Grades, MarksAndFilters)
{
    EXPECT_EQ(gradeMark(1), QStringLiteral("①"));
    EXPECT_EQ(gradeMark(6), QStringLiteral("⑥"));
    EXPECT_EQ(gradeMark(7), QStringLiteral("Ⅰ"));
    EXPECT_EQ(gradeMark(9), QStringLiteral("Ⅲ"));
    EXPECT_EQ(gradeMark(0), QStringLiteral("　"));
    EXPECT_EQ(gradeMark(10), QStringLiteral("　"));

    const struct
    {
        const char* filter;
        int from, to; // the grades -3..12 that match
    } cases[] = {{"全学年", -3, 12},   {"家族", -3, 12}, {"小学生全体", 1, 6},
                 {"中学生全体", 7, 9}, {"小１", 1, 1},   {"小６", 6, 6},
                 {"中２", 8, 8},       {"高１", 1, 0},   {"", 1, 0}};
    for (const auto& c : cases)
        for (int n = -3; n <= 12; ++n)
            EXPECT_EQ(gradeMatchesFilter(n, QString::fromUtf8(c.filter)),
                      n >= c.from && n <= c.to ? 1 : 0)
                << c.filter << " " << n;
}

TEST(DayClock, MinutesSinceThePupilWasChosen)
{
    const int chosen = wholeSecondsOfDay(QTime(9, 59, 59, 600)); // rounds up to 10:00:00
    EXPECT_EQ(chosen, 36000);
    EXPECT_EQ(minutesSince(chosen, QTime(9, 59, 59, 700)), 0); // the same moment, not a day
    EXPECT_EQ(minutesSince(chosen, QTime(10, 2, 5)), 2);
    EXPECT_EQ(minutesSince(wholeSecondsOfDay(QTime(23, 58)), QTime(0, 3)), 5);
}
