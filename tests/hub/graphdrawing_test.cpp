#include "graphfakes.h"
#include "hub/graphdata.h"
#include "hub/graphdrawing.h"
#include "print/pagetarget.h"

#include <gtest/gtest.h>

namespace {

GraphItem itemWith(std::vector<qint32> seconds, qint32 target = 60)
{
    GraphItem item;
    item.item = 2;
    item.caption = QStringLiteral("範囲１");
    item.targetTime = target;
    double date = 46000;
    for (const qint32 s : seconds) {
        item.attempts.push_back({date++, 0.4, s});
        item.sum += s;
        item.largest = std::max(item.largest, s);
    }
    return item;
}

GraphPage pageWith(int blocks)
{
    GraphPage page;
    page.pupil = 9;
    page.pupilLine = QStringLiteral("小３ ゆい");
    for (int k = 0; k < blocks; ++k)
        page.items.push_back(itemWith({50, 70}));
    return page;
}

} // namespace

TEST(GraphDrawingTest, ABlockThatWouldPassTheBottomStartsANewSheet)
{
    // Two blocks fit on a sheet of A4.
    ASSERT_LE(2 * GraphLayout::kBlockHeight - GraphLayout::kBlockGap, GraphLayout::kPaperHeight);
    ASSERT_GT(3 * GraphLayout::kBlockHeight - GraphLayout::kBlockGap, GraphLayout::kPaperHeight);
    RecordingCanvas paper;
    drawGraphPage(pageWith(5), paper, GraphLayout::kPaperHeight);
    EXPECT_EQ(paper.sheet, 2);
    // Each sheet starts at its top, and nothing is drawn past its bottom.
    for (const RecordingCanvas::Text& text : paper.texts) {
        EXPECT_GE(text.box.top(), 0.0);
        EXPECT_LE(text.box.bottom(), GraphLayout::kPaperHeight);
    }
    EXPECT_EQ(paper.textsIn(GraphCanvas::Font::Heading).size(), 5);

    RecordingCanvas screen;
    drawGraphPage(pageWith(5), screen, 0);
    EXPECT_EQ(screen.sheet, 0);
    EXPECT_DOUBLE_EQ(GraphLayout::pageHeight(pageWith(5)), 5 * GraphLayout::kBlockHeight);
}

TEST(GraphDrawingTest, WithoutAttemptsTheChartHasItsAxesAndNothingDividesByZero)
{
    GraphPage page = pageWith(0);
    page.items.push_back(itemWith({}, 0));
    RecordingCanvas canvas;
    drawGraphPage(page, canvas, GraphLayout::kPaperHeight);
    EXPECT_TRUE(canvas.allFinite());
    EXPECT_EQ(canvas.linesOf(GraphCanvas::Pen::Trend).size(), 0);
    EXPECT_TRUE(
        canvas.textsIn(GraphCanvas::Font::Note).contains(QStringLiteral("まだ記録がありません")));
    int axes = 0;
    for (const RecordingCanvas::Line& line : canvas.linesOf(GraphCanvas::Pen::Axis))
        axes += line.from.x() == line.to.x() && line.to.y() - line.from.y() > 30 ? 1 : 0;
    EXPECT_EQ(axes, 1);
}

TEST(GraphDrawingTest, TheTargetTimeIsALineAcrossTheChartAtItsHeight)
{
    GraphPage page = pageWith(0);
    page.items.push_back(itemWith({30, 120}, 60));
    RecordingCanvas canvas;
    drawGraphBlock(page, page.items.front(), canvas, 0);
    const QList<RecordingCanvas::Line> target = canvas.linesOf(GraphCanvas::Pen::Target);
    ASSERT_GE(target.size(), 1);
    const RecordingCanvas::Line& line = target.first();
    EXPECT_EQ(line.from.y(), line.to.y());
    EXPECT_GT(line.to.x() - line.from.x(), 100);
    // The dots of 30 and 120 seconds lie below and above the line.
    EXPECT_GT(canvas.points[0].y(), line.from.y());
    EXPECT_LT(canvas.points[1].y(), line.from.y());
    EXPECT_TRUE(canvas.textsIn(GraphCanvas::Font::Target).contains(QStringLiteral("目標 60秒")));
    EXPECT_TRUE(canvas.textsIn(GraphCanvas::Font::Label).contains(QStringLiteral("タイム（秒）")));
}

TEST(GraphDrawingTest, TheTimeAxisReachesTheLargestResultInRoundSteps)
{
    struct Case
    {
        int largest;
        int target;
        int top;
        int step;
    };
    for (const Case& c : {Case{0, 0, 2, 1}, Case{70, 60, 80, 20}, Case{1799, 60, 2400, 600},
                          Case{40, 300, 360, 60}, Case{300, 0, 360, 60}}) {
        const GraphLayout::TimeAxis axis = GraphLayout::timeAxis(c.largest, c.target);
        EXPECT_EQ(axis.top, c.top) << c.largest << " " << c.target;
        EXPECT_EQ(axis.step, c.step) << c.largest << " " << c.target;
        EXPECT_GT(axis.top, std::max(c.largest, c.target));
    }
}

TEST(GraphDrawingTest, DatesUnderTheAxisDoNotOverlapAndTheNewestIsAlwaysThere)
{
    EXPECT_TRUE(GraphLayout::datedAttempts(0, 160, 12).empty());
    EXPECT_EQ(GraphLayout::datedAttempts(1, 160, 12), (std::vector<int>{0}));
    EXPECT_EQ(GraphLayout::datedAttempts(4, 160, 12), (std::vector<int>{0, 1, 2, 3}));
    for (const int count : {14, 15, 40, 99, 500}) {
        const std::vector<int> dated = GraphLayout::datedAttempts(count, 160, 12);
        ASSERT_FALSE(dated.empty());
        EXPECT_EQ(dated.front(), 0);
        EXPECT_EQ(dated.back(), count - 1);
        for (size_t k = 1; k < dated.size(); ++k)
            EXPECT_GE((dated[k] - dated[k - 1]) * 160.0 / count, 12.0) << count;
    }
}

TEST(GraphDrawingTest, ThePageIsAsWideAsThePrintableAreaOfA4)
{
    const QRectF area = PageGeometry::printableRectMm(true);
    EXPECT_DOUBLE_EQ(GraphLayout::kWidth, area.width());
    EXPECT_DOUBLE_EQ(GraphLayout::kPaperHeight, area.height());
}
