#include "recordsfixture.h"

#include <limits>

TEST(PointsFor, FollowsTheTargetTimeBands)
{
    // Target 60 seconds, multiplier 2.
    const struct
    {
        qint32 result;
        qint32 points;
    } cases[] = {{60, 10}, {90, 8},  {120, 2}, {600, 0}, {30, 22},  {0, 110},
                 {61, 8},  {119, 8}, {599, 2}, {59, 10}, {99999, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(ResultStatistics::pointsFor(c.result, 60, 2.0f), c.points) << c.result;
}

TEST(PointsFor, MultipliesInSinglePrecision)
{
    // Bases 5, 20 and 15; in double precision these products fall just below 7, 23 and 123.
    EXPECT_EQ(ResultStatistics::pointsFor(100, 100, 1.4f), 7);
    EXPECT_EQ(ResultStatistics::pointsFor(32, 100, 1.15f), 23);
    EXPECT_EQ(ResultStatistics::pointsFor(41, 100, 8.2f), 123);
    EXPECT_EQ(ResultStatistics::pointsFor(100, 100, 0.0f), 0);
}

TEST(PointsFor, UsesTheWholeResultForTargetsOf1000SecondsOrMore)
{
    // By its first three digits, 1100 would count as 110 seconds: nearly full points.
    EXPECT_EQ(ResultStatistics::pointsFor(1100, 1200, 1.0f), 5);
    EXPECT_EQ(ResultStatistics::pointsFor(600, 1200, 1.0f), 11);
    EXPECT_EQ(ResultStatistics::pointsFor(1200, 1200, 1.0f), 5);
    EXPECT_EQ(ResultStatistics::pointsFor(0, 1200, 1.0f), 55);
}

TEST(PointsFor, DamagedValuesGiveBoundedPoints)
{
    EXPECT_EQ(ResultStatistics::pointsFor(0, 0, 2.0f), 0);
    EXPECT_EQ(ResultStatistics::pointsFor(5, 0, 2.0f), 0);
    EXPECT_EQ(ResultStatistics::pointsFor(-5, 60, 1.0f), 55);
    EXPECT_EQ(ResultStatistics::pointsFor(std::numeric_limits<qint32>::min(), 60, 1.0f), 55);
    EXPECT_EQ(ResultStatistics::pointsFor(std::numeric_limits<qint32>::max(),
                                          std::numeric_limits<qint32>::max() - 1, 1.0f),
              0);
    EXPECT_EQ(ResultStatistics::pointsFor(30, 60, 1e30f), std::numeric_limits<qint32>::max());
    EXPECT_EQ(ResultStatistics::pointsFor(30, 60, std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(ResultStatistics::pointsFor(30, 60, std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(TimeValue, IsTheFirstThreeCharactersOfTheResult)
{
    const struct
    {
        qint32 result;
        qint32 value;
    } cases[] = {{0, 0},
                 {40, 40},
                 {999, 999},
                 {1000, 100},
                 {1234, 123},
                 {99999, 999},
                 {-5, -5},
                 {-1234, -12},
                 {std::numeric_limits<qint32>::max(), 214},
                 {std::numeric_limits<qint32>::min(), -21}};
    for (const auto& c : cases)
        EXPECT_EQ(ResultStatistics::timeValue(c.result), c.value) << c.result;
}

class ResultStatisticsTest : public RecordsTest
{
protected:
    void compute() { records.computeStatistics(); }
};

TEST_F(ResultStatisticsTest, TodaysResultsCountOnlyBelow6000ButAllAddTheirTime)
{
    writeResultFile(
        {result(7, 2, 40, today()), result(7, 2, 50, today()), result(7, 2, 99999, today())});
    compute();
    EXPECT_EQ(tables.todayCount.at(2, 7), 2.0f);
    EXPECT_EQ(tables.todayTimeSum.at(2, 7), 1089.0f);
    EXPECT_EQ(tables.todayAverage.at(2, 7), 545.0f);
    // 40 s: 6 x 2, 50 s: 5 x 2, time-over: nothing.
    EXPECT_EQ(tables.todayPoints.at(2, 7), 22);
    EXPECT_EQ(tables.attemptCount.at(2, 7), 2);
    EXPECT_EQ(tables.timeSum.at(2, 7), 1089);
    EXPECT_EQ(tables.averageTime.at(2, 7), 545.0f);
    EXPECT_EQ(tables.totalPoints.at(2, 7), 22);
    EXPECT_EQ(tables.totalPoints.at(2, 7), records.pointsFor(40, 2) + records.pointsFor(50, 2));
}

TEST_F(ResultStatisticsTest, TheRecentWindowsTakeTodayAndTheDaysBefore)
{
    // 30 seconds earns 22 points; windows of 7 and 30 days.
    writeResultFile({result(3, 4, 30, today() - 6), result(3, 4, 30, today() - 7),
                     result(3, 4, 30, today() - 29), result(3, 4, 30, today() - 30),
                     result(3, 4, 7000, today() - 1)});
    compute();
    EXPECT_EQ(tables.recentCountA.at(4, 3), 1 + 0);
    EXPECT_EQ(tables.recentPointsA.at(4, 3), 22 + 0);
    EXPECT_EQ(tables.recentCountB.at(4, 3), 3);
    EXPECT_EQ(tables.recentPointsB.at(4, 3), 66);
    EXPECT_EQ(tables.attemptCount.at(4, 3), 4);
    EXPECT_EQ(tables.totalPoints.at(4, 3), 88);
    EXPECT_EQ(tables.timeSum.at(4, 3), 4 * 30 + 700);
    EXPECT_EQ(tables.averageTime.at(4, 3), 205.0f);
    EXPECT_EQ(tables.todayCount.at(4, 3), 0.0f);
    EXPECT_EQ(tables.todayAverage.at(4, 3), 0.0f);

    // Just after midnight the window still starts six days back.
    clock.current = QDateTime(clock.current.date(), QTime(0, 0, 1));
    compute();
    EXPECT_EQ(tables.recentCountA.at(4, 3), 1);
}

TEST_F(ResultStatisticsTest, ResultsFrom6000OnAreNotCounted)
{
    writeResultFile({result(4, 2, 5999, today()), result(5, 2, 6000, today())});
    compute();
    EXPECT_EQ(tables.attemptCount.at(2, 4), 1);
    EXPECT_EQ(tables.timeSum.at(2, 4), 599);
    EXPECT_EQ(tables.attemptCount.at(2, 5), 0);
    EXPECT_EQ(tables.todayCount.at(2, 5), 0.0f);
    EXPECT_EQ(tables.timeSum.at(2, 5), 600);
    EXPECT_EQ(tables.todayTimeSum.at(2, 5), 600.0f);
    EXPECT_EQ(tables.averageTime.at(2, 5), 0.0f);
    EXPECT_EQ(tables.todayAverage.at(2, 5), 0.0f);
}

TEST_F(ResultStatisticsTest, EveryComputationStartsFromNothing)
{
    writeResultFile({result(1, 2, 30, today()), result(1, 4, 45, today() - 3)});
    compute();
    compute();
    EXPECT_EQ(tables.attemptCount.at(2, 1), 1);
    EXPECT_EQ(tables.totalPoints.at(2, 1), 22);
    EXPECT_EQ(tables.recentCountA.at(4, 1), 1);

    // A pupil without records has nothing anywhere.
    for (int i = 1; i <= kMaxItemNo; ++i) {
        EXPECT_EQ(tables.attemptCount.at(i, 2), 0);
        EXPECT_EQ(tables.totalPoints.at(i, 2), 0);
        EXPECT_EQ(tables.recentPointsB.at(i, 2), 0);
        EXPECT_EQ(tables.todayCount.at(i, 2), 0.0f);
        EXPECT_EQ(tables.averageTime.at(i, 2), 0.0f);
    }

    writeResultFile({});
    compute();
    EXPECT_EQ(tables.attemptCount.at(2, 1), 0);
    EXPECT_EQ(tables.todayPoints.at(2, 1), 0);
    EXPECT_EQ(tables.averageTime.at(2, 1), 0.0f);
}

TEST_F(ResultStatisticsTest, RecordsOutsideTheTablesAreSkipped)
{
    writeResultFile({result(9999, 2, 30, today()), result(-3, 2, 30, today()),
                     result(7, 200, 30, today()), result(7, -1, 30, today()),
                     result(7, 2, 30, today())});
    compute();
    EXPECT_EQ(tables.attemptCount.at(2, 7), 1);
    EXPECT_EQ(tables.todayCount.at(2, 7), 1.0f);
    EXPECT_EQ(tables.loadedCount(), 1);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(records.pointsFor(30, 200), 0);
    EXPECT_EQ(records.pointsFor(30, -1), 0);
}

TEST_F(ResultStatisticsTest, TodaysResultsCountEvenInALongFile)
{
    // 15000 old results and then today's: the newest records are the ones loaded.
    std::vector<ResultRecord> file(15000, result(1, 2, 100, today() - 40));
    file.push_back(result(1, 2, 60, today()));
    writeResultFile(file);
    compute();
    EXPECT_EQ(tables.todayCount.at(2, 1), 1.0f);
    EXPECT_EQ(tables.todayPoints.at(2, 1), 10);
}

// 55000 is no multiple of a power of two large enough for a single-precision sum: adding it
// 5000 times in float gives 275020480, not 275000000.
TEST_F(ResultStatisticsTest, PointSumsOfTheLargestMultiplierStayExact)
{
    state->itemField5[2] = 1000.0f;
    writeResultFile(std::vector<ResultRecord>(5000, result(1, 2, 0, today())));
    compute();
    ASSERT_EQ(records.pointsFor(0, 2), 55000);
    const qint64 expected = 275'000'000;
    EXPECT_EQ(tables.todayPoints.at(2, 1), expected);
    EXPECT_EQ(tables.recentPointsA.at(2, 1), expected);
    EXPECT_EQ(tables.recentPointsB.at(2, 1), expected);
    EXPECT_EQ(tables.totalPoints.at(2, 1), expected);
    EXPECT_EQ(tables.todayCount.at(2, 1), 5000.0f);
}
