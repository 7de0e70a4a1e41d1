#include "graphfakes.h"
#include "hub/graphdata.h"
#include "hub/graphdrawing.h"
#include "hubfixture.h"

#include <cerrno>

namespace {

// Pupil 9 ("ゆい") is at the screen among pupils 1 and 3; every item has target 60 and
// multiplier 2.
class GraphDataTest : public ::testing::Test, public HubFixture
{
protected:
    GraphDataTest()
    {
        addPupil(1, 2017, QStringLiteral("あおい"));
        addPupil(3, 2015, QStringLiteral("みなと"));
        addPupil(9, 2017, QStringLiteral("ゆい"));
        choosePupil(9);
        state->gradeLabelByNo[9] = QStringLiteral("小３");
    }

    GraphPage page(int pupil, std::vector<int> items, PointsPeriod period = PointsPeriod::AllTime,
                   const QString& filter = QStringLiteral("全学年"))
    {
        records.computeStatistics();
        GraphRequest request;
        request.pupil = pupil;
        request.items = std::move(items);
        request.gradeFilter = filter;
        request.period = period;
        return GraphDataReader(*state, records.tables(), calls, clock).read(request);
    }

    QStringList table(int pupil, int item)
    {
        const GraphPage built = page(pupil, {item});
        EXPECT_EQ(built.items.size(), 1u);
        return built.items.empty() ? QStringList() : graphTableLines(built.items.front());
    }

    // Pupil 9: 50 and 70 seconds, and two results of 1800 seconds or more; pupil 1: 40 seconds;
    // pupil 3 has nothing on item 2.
    void writeItemTwo()
    {
        writeResults({result(9, 2, 50, today() - 3), result(9, 2, 1800, today() - 2),
                      result(1, 2, 40, today() - 2), result(9, 2, 70, today() - 1),
                      result(9, 2, 2500, today())});
    }
};

} // namespace

TEST_F(GraphDataTest, TheTableComparesThePupilWithAllPupils)
{
    writeItemTwo();
    // 50 s earns 5 x 2 points and 70 s 4 x 2; 40 s earns 6 x 2; 1800 s and more earn nothing.
    EXPECT_EQ(table(9, 2), (QStringList{
                               "回数　　　　　　　      2回",
                               "タイム  　　 　    本人 / 全体",
                               "　　順位　　　　     2位",
                               "　　最高　　　　    50 /   40秒",
                               "　　平均　　　　   60秒 /   53秒",
                               "ポイント  　　　",
                               "　　順位　　　　     1位",
                               "　　獲得ポイント     18点",
                               "　　　　　　　　　　　　/     15点",
                               "　　　　　　　　　　　　 (全平均)",
                           }));
}

TEST_F(GraphDataTest, AnotherPupilChangesEveryLineOfThePupilsOwn)
{
    writeItemTwo();
    const QStringList own = table(9, 2);
    const QStringList other = table(1, 2);
    ASSERT_EQ(other.size(), own.size());
    EXPECT_EQ(other[0], "回数　　　　　　　      1回");
    EXPECT_EQ(other[2], "　　順位　　　　     1位");
    EXPECT_EQ(other[3], "　　最高　　　　    40 /   40秒");
    EXPECT_EQ(other[4], "　　平均　　　　   40秒 /   53秒");
    EXPECT_EQ(other[6], "　　順位　　　　     2位");
    EXPECT_EQ(other[7], "　　獲得ポイント     12点");
    // The headings and the average of all stay what they were.
    for (int line : {1, 5, 8, 9})
        EXPECT_EQ(other[line], own[line]);
}

TEST_F(GraphDataTest, APupilWithoutAttemptsShowsNoneAndNoAverageLine)
{
    writeItemTwo();
    const QStringList lines = table(3, 2);
    EXPECT_EQ(lines[0], "回数　　　　　　　      0回");
    EXPECT_EQ(lines[2], "　　順位　　　　   ---位");
    // No best time yet is not a time of 99999 seconds.
    EXPECT_EQ(lines[3], "　　最高　　　　   --- /   40秒");
    for (const QString& line : lines)
        EXPECT_FALSE(line.startsWith(QStringLiteral("　　平均"))) << line.toStdString();
    EXPECT_EQ(lines[4], "ポイント  　　　");
    EXPECT_EQ(lines[5], "　　順位　　　　     3位");
    EXPECT_EQ(lines[6], "　　獲得ポイント      0点");
    EXPECT_EQ(lines.size(), 9);
}

TEST_F(GraphDataTest, TheAllAverageLinesNeedAPupilWithPoints)
{
    // 700 seconds is counted (below 1800) but earns nothing at ten times the target.
    writeResults({result(9, 6, 700, today())});
    const QStringList lines = table(9, 6);
    EXPECT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.last(), "　　獲得ポイント      0点");
    EXPECT_FALSE(lines.join(u'\n').contains(QStringLiteral("(全平均)")));
    EXPECT_EQ(lines[4], "　　平均　　　　  700秒 /  700秒");
}

TEST_F(GraphDataTest, OnlyRecentResultsBelow1800SecondsOfThePupilAndItemAreCounted)
{
    state->itemCount = 10;
    writeResults({result(9, 4, 1799, today() - 3649), result(9, 4, 1800, today()),
                  result(9, 4, 99999, today()), result(9, 4, 30, today() - 3650),
                  result(9, 4, 30, today() - 5000), result(9, 12, 30, today()),
                  result(1, 4, 30, today()), result(9, 6, 30, today()),
                  result(9, 4, 45, today(), QTime(8, 0))});
    const GraphPage built = page(9, {4, 12});
    ASSERT_EQ(built.items.size(), 1u); // item 12 is beyond itemCount
    const GraphItem& item = built.items.front();
    ASSERT_EQ(item.attempts.size(), 2u);
    EXPECT_EQ(item.attempts[0].seconds, 1799);
    EXPECT_EQ(item.attempts[1].seconds, 45);
    EXPECT_EQ(item.attempts[1].date, today());
    EXPECT_EQ(item.sum, 1844);
    EXPECT_EQ(item.largest, 1799);
    EXPECT_EQ(item.everyoneCount, 3);
}

TEST_F(GraphDataTest, OnlyTheNewest20000RecordsAreRead)
{
    std::vector<ResultRecord> many(20000, result(1, 2, 40, today()));
    many.insert(many.begin(), result(9, 2, 50, today()));
    writeResults(many);
    EXPECT_TRUE(page(9, {2}).items.front().attempts.empty());
    many.pop_back();
    writeResults(many);
    EXPECT_EQ(page(9, {2}).items.front().attempts.size(), 1u);
}

TEST_F(GraphDataTest, RanksBeyondNinetyNineAreShownWhole)
{
    // The ranking lists show two digits of a rank; the table has room for the whole rank.
    for (int p = 100; p < 205; ++p) {
        addPupil(p, 2017, QStringLiteral("p"));
    }
    std::vector<ResultRecord> results;
    for (int p = 100; p < 205; ++p)
        results.push_back(result(p, 2, 30, today()));
    results.push_back(result(9, 2, 59, today()));
    writeResults(results);
    const QStringList lines = table(9, 2);
    EXPECT_EQ(lines[2], "　　順位　　　　   106位");
    EXPECT_EQ(lines[6], "　　順位　　　　   106位");
}

TEST_F(GraphDataTest, TheRankingTwinMarksThePanelPupilAndWritesThreeDashesForNoTime)
{
    writeItemTwo();
    records.computeStatistics();
    RankingRequest twin;
    twin.item = 2;
    twin.kind = ReportKind::Time;
    twin.gradeFilter = QStringLiteral("全学年");
    twin.markedPupil = 3;
    twin.noRecordRank = QStringLiteral("---");
    const Ranking ranking = rankItem(*state, records.tables(), twin);
    EXPECT_EQ(ranking.lines.last(), "---●みなと　　------ ●");
    EXPECT_EQ(ranking.lines.first(), " 1③あおい　　    40 　");
}

TEST_F(GraphDataTest, PointsStatisticsFollowTheGradeGroupAndThePointsOrder)
{
    writeResults(
        {result(9, 2, 50, today() - 1), result(1, 2, 40, today()), result(3, 2, 30, today() - 1)});
    // Grade 3 lists pupils 1 and 9: 12 + 10 points, pupil 3 (22 points) still counts for ranks.
    GraphPage built = page(9, {2}, PointsPeriod::AllTime, QStringLiteral("小３"));
    const GraphItem& grade3 = built.items.front();
    EXPECT_EQ(grade3.pupilsWithPoints, 2);
    EXPECT_EQ(grade3.pointsSum, 22);
    EXPECT_EQ(grade3.ownPointsRank, 3);
    EXPECT_EQ(grade3.ownPoints, 10);

    // Today's order lists only pupil 1; pupil 9 has no points today and shares the last rank.
    built = page(9, {2}, PointsPeriod::Today);
    const GraphItem& today = built.items.front();
    EXPECT_EQ(today.pupilsWithPoints, 1);
    EXPECT_EQ(today.pointsSum, 12);
    EXPECT_EQ(today.ownPointsRank, 2);
    EXPECT_EQ(today.ownPoints, 10);
}

TEST_F(GraphDataTest, AnUnreadableResultFileGivesEmptyChartsAndSaysSo)
{
    writeItemTwo();
    records.computeStatistics();
    calls.readErrors = {EIO};
    GraphRequest request;
    request.pupil = 9;
    request.items = {2};
    const GraphPage built = GraphDataReader(*state, records.tables(), calls, clock).read(request);
    EXPECT_FALSE(built.status.ok());
    EXPECT_TRUE(built.status.message.startsWith(kUnreadableResultFileText));
    ASSERT_EQ(built.items.size(), 1u);
    EXPECT_TRUE(built.items.front().attempts.empty());
    EXPECT_EQ(built.pupilLine, "小３ ゆい");
}

TEST_F(GraphDataTest, ResultsOf1800SecondsOrMoreAreNotDrawn)
{
    writeResults({result(9, 2, 1799, today() - 1), result(9, 2, 1800, today() - 1),
                  result(9, 2, 65, today())});
    const GraphPage built = page(9, {2});
    RecordingCanvas canvas;
    drawGraphBlock(built, built.items.front(), canvas, 0);
    // The dots of the chart, above the table and its legend.
    const double chartBottom = GraphLayout::kHeadingHeight + GraphLayout::kChartHeight;
    QList<QPointF> dots;
    for (const QPointF& point : canvas.points)
        if (point.y() < chartBottom)
            dots << point;
    ASSERT_EQ(dots.size(), 2);
    // Older attempts on the left; the slower one higher up, and inside the chart.
    EXPECT_LT(dots[0].x(), dots[1].x());
    EXPECT_LT(dots[0].y(), dots[1].y());
    EXPECT_GT(dots[0].y(), GraphLayout::kHeadingHeight);
    EXPECT_EQ(canvas.textsIn(GraphCanvas::Font::Small).count(QStringLiteral("4/9")), 1);
    EXPECT_TRUE(canvas.textsIn(GraphCanvas::Font::Small).contains(QStringLiteral("4/10")));
}
