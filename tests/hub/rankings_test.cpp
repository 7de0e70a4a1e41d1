#include "hub/rankings.h"
#include "hubfixture.h"

#include <algorithm>
#include <random>
#include <utility>

TEST(MergeSortByKey, SortsAscendingAndPutsEqualKeysInReverseInputOrder)
{
    std::mt19937 random(7);
    for (int n : {0, 1, 2, 3, 4, 5, 7, 16, 33, 100, 2000}) {
        std::vector<int> key(static_cast<size_t>(n) + 1, 0);
        std::vector<int> payload(static_cast<size_t>(n) + 1, 0);
        std::vector<std::pair<int, int>> expected;
        for (int k = 1; k <= n; ++k) {
            key[k] = static_cast<int>(random() % 5);
            payload[k] = k;
            expected.push_back({key[k], -k});
        }
        std::sort(expected.begin(), expected.end());
        mergeSortByKey(n, key, payload);
        for (int k = 1; k <= n; ++k) {
            ASSERT_EQ(key[k], expected[k - 1].first) << n << " at " << k;
            ASSERT_EQ(payload[k], -expected[k - 1].second) << n << " at " << k;
        }
    }
}

namespace {

// Three pupils in grade 3 and one in grade 5, ranked on item 2; pupil 9 is the one at the
// screen.
class RankingsTest : public ::testing::Test, public HubFixture
{
protected:
    static constexpr int kItem = 2;

    RankingsTest()
    {
        addPupil(1, 2017, QStringLiteral("あおい"));
        addPupil(2, 2017, QStringLiteral("はると"));
        addPupil(3, 2015, QStringLiteral("みなと"));
        addPupil(9, 2017, QStringLiteral("ゆい"));
        choosePupil(9);
    }

    void setPoints(int pupil, qint32 today, qint32 total)
    {
        tables.todayPoints.at(kItem, pupil) = today;
        tables.totalPoints.at(kItem, pupil) = total;
    }

    Ranking rank(ReportKind kind, PointsPeriod period = PointsPeriod::AllTime,
                 const QString& filter = QStringLiteral("全学年")) const
    {
        RankingRequest request;
        request.item = kItem;
        request.kind = kind;
        request.period = period;
        request.gradeFilter = filter;
        request.markedPupil = state->pupilNo;
        return rankItem(*state, tables, request);
    }

    // The rank columns of a ranking, for checking the order and the ranks together.
    static QStringList leads(const Ranking& ranking, int width = 8)
    {
        QStringList result;
        for (const QString& line : ranking.lines)
            result.append(line.left(width));
        return result;
    }

    ResultTables& tables = records.tables();
};

} // namespace

TEST_F(RankingsTest, EqualAllTimePointsShareARankAndMorePointsTodayGoFirst)
{
    setPoints(1, 5, 20);
    setPoints(2, 8, 20);
    setPoints(3, 0, 10);
    setPoints(9, 0, 4);
    const Ranking ranking = rank(ReportKind::Points);
    EXPECT_EQ(ranking.lines, (QStringList{" 1③はると　　  8/   20", " 1③あおい　　  5/   20",
                                          " 3⑤みなと　　  0/   10", " 4●ゆい　　　  0/    4"}));
    EXPECT_EQ(ranking.ownLine, 3);
}

TEST_F(RankingsTest, TodaysOrderPutsTodaysPointsFirstWhateverTheAllTimePoints)
{
    // As one number 1000000 - 1000 x today - all time, 5000 points in all would outweigh
    // four points today.
    setPoints(1, 10, 5000);
    setPoints(2, 14, 14);
    const Ranking today = rank(ReportKind::Points, PointsPeriod::Today);
    EXPECT_EQ(today.lines, (QStringList{" 1③はると　　 14/   14", " 2③あおい　　 10/ 5000"}));
    const Ranking allTime = rank(ReportKind::Points, PointsPeriod::AllTime);
    EXPECT_EQ(leads(allTime),
              (QStringList{" 1③あおい　　", " 2③はると　　", " 3●ゆい　　　", " 3⑤みなと　　"}));
}

TEST_F(RankingsTest, TodaysOrderBreaksTiesByAllTimePointsAndThenReverseRosterOrder)
{
    setPoints(1, 6, 30);
    setPoints(2, 6, 30);
    setPoints(3, 6, 40);
    EXPECT_EQ(leads(rank(ReportKind::Points, PointsPeriod::Today)),
              (QStringList{" 1⑤みなと　　", " 1③はると　　", " 1③あおい　　"}));
}

TEST_F(RankingsTest, PupilsWithEqualKeysComeInReverseRosterOrder)
{
    EXPECT_EQ(leads(rank(ReportKind::Points)),
              (QStringList{" 1●ゆい　　　", " 1⑤みなと　　", " 1③はると　　", " 1③あおい　　"}));
    EXPECT_EQ(leads(rank(ReportKind::Time)),
              (QStringList{"--●ゆい　　　", "--⑤みなと　　", "--③はると　　", "--③あおい　　"}));
}

TEST_F(RankingsTest, TodaysOrderLeavesOutPupilsWithoutPointsTodayWithoutChangingRanks)
{
    setPoints(1, 0, 90);
    setPoints(2, 7, 7);
    setPoints(3, 4, 4);
    const Ranking ranking = rank(ReportKind::Points, PointsPeriod::Today);
    EXPECT_EQ(leads(ranking), (QStringList{" 1③はると　　", " 2⑤みなと　　"}));
    EXPECT_EQ(ranking.ownLine, -1);
}

TEST_F(RankingsTest, APupilOutsideTheGradeGroupIsHiddenButCountsForTheRanks)
{
    setPoints(1, 0, 30);
    setPoints(3, 0, 40); // grade 5
    setPoints(2, 0, 20);
    EXPECT_EQ(leads(rank(ReportKind::Points, PointsPeriod::AllTime, QStringLiteral("小３"))),
              (QStringList{" 2③あおい　　", " 3③はると　　", " 4●ゆい　　　"}));
    EXPECT_TRUE(
        rank(ReportKind::Points, PointsPeriod::AllTime, QStringLiteral("中１")).lines.isEmpty());
}

TEST_F(RankingsTest, TimesComeFirstThenFailureMarksThenPupilsWithoutARecord)
{
    tables.personalBest.at(kItem, 1) = 50;
    tables.personalBest.at(kItem, 3) = 99998;
    tables.personalBest.at(kItem, 9) = 40;
    const Ranking ranking = rank(ReportKind::Time);
    EXPECT_EQ(ranking.lines, (QStringList{" 1●ゆい　　　    40 ●", " 2③あおい　　    50 　",
                                          " 3⑤みなと　　*失敗* 　", "--③はると　　------ 　"}));
    EXPECT_EQ(ranking.ownLine, 0);
}

TEST_F(RankingsTest, RanksFrom100OnShowTheirLastTwoDigits)
{
    state->listedPupilCount = 0;
    for (int pupil = 1; pupil <= 101; ++pupil) {
        addPupil(pupil, 2017, QStringLiteral("p%1").arg(pupil));
        tables.personalBest.at(kItem, pupil) = 1000 + pupil;
    }
    const Ranking ranking = rank(ReportKind::Time);
    ASSERT_EQ(ranking.lines.size(), 101);
    EXPECT_EQ(ranking.lines.at(8).left(2), " 9");
    EXPECT_EQ(ranking.lines.at(9).left(2), "10");
    EXPECT_EQ(ranking.lines.at(99), "00③p100　  1100 　");
    EXPECT_EQ(ranking.lines.at(100).left(2), "01");
}

TEST_F(RankingsTest, LongNamesAreCutAndTheRankingTakesTheFirst2000RosterLines)
{
    state->listedPupilCount = 0;
    for (int line = 1; line <= kMaxRankedPupils + 1; ++line)
        addPupil(line, 2017, QStringLiteral("たなかはなこさん"));
    setPoints(kMaxRankedPupils + 1, 0, 500); // beyond the cap
    setPoints(1, 0, 100);
    const Ranking ranking = rank(ReportKind::Points);
    ASSERT_EQ(ranking.lines.size(), kMaxRankedPupils);
    EXPECT_EQ(ranking.lines.first(), " 1③たなかはな  0/  100");
}
