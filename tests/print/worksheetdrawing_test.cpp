#include "print/painterpagetarget.h"
#include "print/worksheet.h"
#include "print/worksheetdrawing.h"
#include "printfakes.h"
#include "recordingdevice.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using WorksheetDrawing::drawTable;
using WorksheetDrawing::fitCellText;

const QString kLongMeaning = QStringLiteral(
    "大勢の人が集まって口々に意見を言い合い、なかなか一つにまとまらないまま時間ばかりが過ぎて"
    "いく様子をたとえていう言葉で、会議などでよく使われる");
const QString kShortMeaning = QStringLiteral("古いことを学ぶ");

// A worksheet as the settings leave it: twenty rows, headings, 13 points.
Worksheet sheetWithColumns(int columns)
{
    Worksheet sheet;
    sheet.printRowCount = 20;
    sheet.printColumnCount = columns;
    sheet.printFontSize = 13;
    sheet.printLayout = 2;
    sheet.printPortrait = 1;
    if (columns == 3)
        sheet.setColumnEdges({0, 0.05, 0.6, 1});
    else
        sheet.setColumnEdges({0, 0.05, 0.5, 0.55, 0.6, 0.65, 0.7, 1});
    sheet.setCell(2, 0, QStringLiteral("意味"));
    sheet.setCell(3, 0, QStringLiteral("四字熟語"));
    const QString circled = QStringLiteral("①②③④⑤⑥⑦⑧⑨⑩⑪⑫⑬⑭⑮⑯⑰⑱⑲⑳");
    for (int row = 1; row <= 20; ++row)
        sheet.setCell(1, row, circled.mid(row - 1, 1));
    sheet.setCell(2, 1, kShortMeaning);
    sheet.setCell(2, 2, kLongMeaning);
    sheet.setCell(3, 1, QStringLiteral("温"));
    sheet.setCell(6, 1, QStringLiteral("新"));
    sheet.setCell(7, 1, QStringLiteral("   温故知新(おんこちしん)"));
    return sheet;
}

QList<double> xs(const QList<RecordingTarget::Rule>& rules)
{
    QList<double> found;
    for (const auto& rule : rules)
        found << rule.from.x();
    return found;
}

} // namespace

TEST(WorksheetDrawingTest, RulesFrameEveryRowAndColumn)
{
    for (int columns : {3, 7}) {
        const Worksheet sheet = sheetWithColumns(columns);
        RecordingTarget target;
        FakeMeasure measure;
        drawTable(sheet, target, measure);
        EXPECT_EQ(target.clears, 1);

        QList<double> horizontal;
        for (const auto& rule : target.horizontalRules()) {
            EXPECT_EQ(rule.from.x(), 0);
            EXPECT_EQ(rule.to.x(), 10000);
            horizontal << rule.from.y();
        }
        QList<double> expected;
        for (int row = 0; row <= 20; ++row)
            expected << 450 + 450 * row;
        expected << 9900;
        ASSERT_EQ(horizontal.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i)
            EXPECT_NEAR(horizontal[i], expected[i], 1e-6) << i;

        const auto vertical = target.verticalRules();
        ASSERT_EQ(vertical.size(), columns + 1);
        const QList<double> edges =
            columns == 3 ? QList<double>{0, 500, 6000, 10000}
                         : QList<double>{0, 500, 5000, 5500, 6000, 6500, 7000, 10000};
        for (qsizetype i = 0; i < edges.size(); ++i)
            EXPECT_NEAR(xs(vertical)[i], edges[i], 1e-6);
        for (const auto& rule : vertical) {
            EXPECT_NEAR(rule.from.y(), 450, 1e-6);
            EXPECT_NEAR(rule.to.y(), 9900, 1e-6);
        }
    }
}

TEST(WorksheetDrawingTest, CellTextsStartInsetBelowTheirRuleAndEmptyCellsDrawNothing)
{
    const Worksheet sheet = sheetWithColumns(7);
    RecordingTarget target;
    FakeMeasure measure;
    drawTable(sheet, target, measure);

    // Row tops: headings at 550, row 1 at 1000, row 20 at 9550.
    for (int row = 1; row <= 20; ++row) {
        const auto* number = target.textStartingWith(sheet.cell(1, row));
        ASSERT_NE(number, nullptr) << row;
        EXPECT_NEAR(number->topLeft.y(), 550 + 450 * row, 1e-6);
        EXPECT_NEAR(number->topLeft.x(), 100, 1e-6);
    }
    const auto* heading = target.textStartingWith(QStringLiteral("意味"));
    ASSERT_NE(heading, nullptr);
    EXPECT_NEAR(heading->topLeft.y(), 550, 1e-6);
    EXPECT_NEAR(heading->topLeft.x(), 600, 1e-6);
    const auto* fourth = target.textStartingWith(QStringLiteral("新"));
    ASSERT_NE(fourth, nullptr);
    EXPECT_NEAR(fourth->topLeft.x(), 6600, 1e-6);
    EXPECT_NEAR(fourth->topLeft.y(), 1000, 1e-6);

    // 20 numbers, 2 headings, 2 meanings, 2 characters and one whole idiom; blanks draw nothing.
    EXPECT_EQ(target.texts.size(), 27);
}

TEST(WorksheetDrawingTest, LongMeaningShrinksToFitItsRowAndShortOneStaysAt13Points)
{
    const Worksheet sheet = sheetWithColumns(7);
    RecordingTarget target;
    FakeMeasure measure;
    drawTable(sheet, target, measure);
    const auto* shortText = target.textStartingWith(kShortMeaning);
    const auto* longText = target.textStartingWith(kLongMeaning.left(4));
    ASSERT_NE(shortText, nullptr);
    ASSERT_NE(longText, nullptr);
    EXPECT_EQ(shortText->pointSize, 13);
    EXPECT_EQ(shortText->lines, QStringList{kShortMeaning});
    // 70 characters: 3 lines at 13 points (too tall), 2 lines at 12 points.
    EXPECT_EQ(longText->pointSize, 12);
    EXPECT_EQ(longText->lines.join(QString()), kLongMeaning);
    EXPECT_LT((longText->lines.size() + 1) * measure.lineHeight(12), 450);
}

TEST(WorksheetDrawingTest, FittingStopsAtOnePointAndDrawsOnlyTheLinesThatFit)
{
    RecordingTarget target;
    FakeMeasure measure;
    const QString endless(100000, QChar(0x5B57));
    const int size = fitCellText(target, measure, endless, {600, 1000}, 4275, 450, 13);
    EXPECT_EQ(size, 1);
    ASSERT_EQ(target.texts.size(), 1);
    EXPECT_EQ(target.texts[0].pointSize, 1);
    EXPECT_EQ(target.texts[0].lines.size(), 43); // (43 + 1) * 10 < 450 <= (44 + 1) * 10

    target.texts.clear();
    // No size set: fitting starts at 50 points and ends where two line heights fit.
    EXPECT_EQ(fitCellText(target, measure, QStringLiteral("字"), {0, 0}, 4275, 450, 0), 22);
}

TEST(WorksheetDrawingTest, NoRowsDrawsOnlyABlankPage)
{
    Worksheet sheet = sheetWithColumns(3);
    sheet.printRowCount = 0;
    RecordingTarget target;
    FakeMeasure measure;
    drawTable(sheet, target, measure);
    EXPECT_EQ(target.clears, 1);
    EXPECT_TRUE(target.rules.isEmpty());
    EXPECT_TRUE(target.texts.isEmpty());
}

namespace {

// The whole table painted by the real target and measure on an A4 sheet of a device.
struct PaintedSheet
{
    PaintedSheet(const Worksheet& sheet, QSize paperPixels, int dpi) : device(paperPixels, dpi)
    {
        QPainter painter(&device);
        PainterPageTarget target(painter, QSizeF(paperPixels), true);
        drawTable(sheet, target, PageTextMeasure(true));
        // Page units to device pixels, from the sheet's own margins.
        const double perMm = paperPixels.width() / 210.0;
        area = QRectF(10 * perMm, 10 * perMm, 190 * perMm, 277 * perMm);
    }
    QList<QLineF> lines(bool vertical) const
    {
        QList<QLineF> found;
        for (const QLineF& line : device.engine.lines)
            if ((std::abs(line.dx()) < 1e-6) == vertical)
                found << line;
        return found;
    }
    // The text items of one line (one per run of script) joined again.
    QList<RecordingPaintEngine::Text> textLines() const
    {
        QList<RecordingPaintEngine::Text> joined;
        for (const auto& item : device.engine.texts) {
            if (!joined.isEmpty() &&
                std::abs(joined.last().baseline.y() - item.baseline.y()) < 0.01 &&
                std::abs(joined.last().end - item.baseline.x()) < 0.5) {
                joined.last().text += item.text;
                joined.last().end = item.end;
            } else {
                joined << item;
            }
        }
        return joined;
    }
    QList<RecordingPaintEngine::Text> textsOf(const QString& text) const
    {
        QList<RecordingPaintEngine::Text> found;
        for (const auto& line : textLines())
            if (text.contains(line.text))
                found << line;
        return found;
    }
    double pageY(double deviceY) const { return (deviceY - area.top()) / area.height() * 10000; }

    RecordingPaintDevice device;
    QRectF area;
};

} // namespace

TEST(WorksheetPaintingTest, PrinterPageHasTheRulesAndSizesOfTheTable)
{
    for (int columns : {3, 7}) {
        const PaintedSheet page(sheetWithColumns(columns), QSize(2480, 3508), 300);
        EXPECT_EQ(page.lines(true).size(), columns + 1);
        const auto horizontal = page.lines(false);
        ASSERT_EQ(horizontal.size(), 22);
        for (int row = 0; row <= 20; ++row)
            EXPECT_NEAR(page.pageY(horizontal[row].y1()), 450 + 450 * row, 0.5);
        EXPECT_NEAR(page.pageY(horizontal[21].y1()), 9900, 0.5);
        EXPECT_NEAR(horizontal[0].x1(), page.area.left(), 0.5);
        EXPECT_NEAR(horizontal[0].x2(), page.area.right(), 0.5);

        const auto shortLines = page.textsOf(kShortMeaning);
        ASSERT_EQ(shortLines.size(), 1);
        EXPECT_NEAR(shortLines[0].pointSize, 13.0, 0.01);
        const auto longLines = page.textsOf(kLongMeaning);
        ASSERT_GE(longLines.size(), 2);
        for (const auto& line : longLines) {
            EXPECT_LT(line.pointSize, 13.0);
            // Every line of row 2 stays between the rules of row 2 (1350 and 1800).
            EXPECT_GT(page.pageY(line.baseline.y()), 1450);
            EXPECT_LT(page.pageY(line.baseline.y()), 1800);
        }
    }
}

TEST(WorksheetPaintingTest, PreviewIsTheSamePageReducedByItsScale)
{
    const Worksheet sheet = sheetWithColumns(7);
    const PaintedSheet printed(sheet, QSize(2480, 3508), 300);
    // 0.63 of A4 on a 96 dpi screen.
    const PaintedSheet preview(sheet, QSize(500, 707), 96);
    const auto full = printed.textLines();
    const auto reduced = preview.textLines();
    ASSERT_EQ(full.size(), reduced.size());
    for (qsizetype i = 0; i < full.size(); ++i) {
        EXPECT_EQ(full[i].text, reduced[i].text);
        EXPECT_NEAR(reduced[i].pointSize / full[i].pointSize, 0.63, 0.01);
        EXPECT_NEAR(full[i].baseline.x() / 2480, reduced[i].baseline.x() / 500, 0.002);
        EXPECT_NEAR(full[i].baseline.y() / 3508, reduced[i].baseline.y() / 707, 0.002);
    }
}
