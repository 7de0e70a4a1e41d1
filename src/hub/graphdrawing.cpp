#include "hub/graphdrawing.h"

#include "hub/graphdata.h"
#include "platform/daynumber.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace GraphLayout {

namespace {

constexpr int kMostTimeMarks = 6;
// Step sizes that read as times: seconds, then whole and half minutes.
constexpr std::array<int, 16> kTimeSteps{1,   2,   5,   10,  20,   30,   60,   120,
                                         180, 300, 600, 900, 1200, 1800, 3600, 7200};
// Room above the largest value, so that no dot sits on the top edge.
constexpr double kHeadroom = 1.05;

} // namespace

double fontSize(GraphCanvas::Font font)
{
    switch (font) {
    case GraphCanvas::Font::Heading:
        return 5.5;
    case GraphCanvas::Font::Label:
        return 3.8;
    case GraphCanvas::Font::Small:
    case GraphCanvas::Font::Target:
        return 3.2;
    case GraphCanvas::Font::Table:
        return 4.0;
    case GraphCanvas::Font::Note:
        return 4.5;
    }
    return 3.8;
}

TimeAxis timeAxis(int largest, int target)
{
    const double reach = std::max({largest, target, 1}) * kHeadroom;
    int step = kTimeSteps.back();
    for (const int candidate : kTimeSteps) {
        if (std::ceil(reach / candidate) <= kMostTimeMarks) {
            step = candidate;
            break;
        }
    }
    const int marks = std::max(1, static_cast<int>(std::ceil(reach / step)));
    return {marks * step, step};
}

std::vector<int> datedAttempts(int count, double plotWidth, double labelWidth)
{
    std::vector<int> dated;
    if (count <= 0)
        return dated;
    const double pitch = plotWidth / count;
    const int every =
        pitch >= labelWidth ? 1 : static_cast<int>(std::ceil(labelWidth / std::max(pitch, 1e-6)));
    for (int k = 0; k < count; k += every)
        dated.push_back(k);
    const int last = count - 1;
    if (dated.back() != last) {
        // The newest date matters most: it replaces a neighbour it would overlap.
        if (last - dated.back() < every && dated.size() > 1)
            dated.pop_back();
        dated.push_back(last);
    }
    return dated;
}

double pageHeight(const GraphPage& page)
{
    const double note = page.status.ok() && !page.items.empty() ? 0.0 : kNoteHeight;
    return note + static_cast<double>(page.items.size()) * kBlockHeight;
}

} // namespace GraphLayout

namespace {

using Font = GraphCanvas::Font;
using Pen = GraphCanvas::Pen;
using namespace GraphLayout;

constexpr double kPlotLeft = 17.0;
constexpr double kPlotRight = kWidth - 6.0;
constexpr double kPlotTopGap = 8.0;     // the time axis title and the target's label
constexpr double kPlotBottomGap = 13.0; // dates and the date axis title
constexpr double kDateLabelWidth = 12.0;
constexpr double kTickLength = 1.2;
constexpr double kTableLeft = 3.0;
constexpr double kTableWidth = 100.0;
constexpr double kLegendLeft = 118.0;

QString dateLabel(double dayNumber)
{
    return DayNumber::toDate(dayNumber).toString(QStringLiteral("M/d"));
}

void drawHeading(const GraphPage& page, const GraphItem& item, GraphCanvas& canvas, double top)
{
    canvas.drawText(
        QRectF(0, top, kWidth * 0.6, kHeadingHeight - 1.5), Qt::AlignLeft | Qt::AlignVCenter,
        QString::number(item.item) + QStringLiteral(".  ") + item.caption, Font::Heading);
    canvas.drawText(QRectF(kWidth * 0.4, top, kWidth * 0.6, kHeadingHeight - 1.5),
                    Qt::AlignRight | Qt::AlignVCenter,
                    page.pupilLine + QStringLiteral("　　") + page.dateLine, Font::Label);
    canvas.drawLine(QPointF(0, top + kHeadingHeight - 1), QPointF(kWidth, top + kHeadingHeight - 1),
                    Pen::Frame);
}

void drawChart(const GraphItem& item, GraphCanvas& canvas, double top)
{
    const QRectF plot(QPointF(kPlotLeft, top + kPlotTopGap),
                      QPointF(kPlotRight, top + kChartHeight - kPlotBottomGap));
    const bool targetOnChart =
        item.targetTime > 0 && item.targetTime < GraphDataReader::kCountedBelowSeconds;
    const TimeAxis axis = timeAxis(item.largest, targetOnChart ? item.targetTime : 0);
    const auto yOf = [&](double seconds) {
        return plot.bottom() - seconds / axis.top * plot.height();
    };

    canvas.drawText(QRectF(0, top, 60, kPlotTopGap - 2), Qt::AlignLeft | Qt::AlignBottom,
                    QStringLiteral("タイム（秒）"), Font::Label);
    for (int mark = 0; mark <= axis.top; mark += axis.step) {
        const double y = yOf(mark);
        if (mark > 0)
            canvas.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y), Pen::Grid);
        canvas.drawLine(QPointF(plot.left() - kTickLength, y), QPointF(plot.left(), y), Pen::Axis);
        canvas.drawText(QRectF(0, y - 2.5, plot.left() - kTickLength - 0.8, 5),
                        Qt::AlignRight | Qt::AlignVCenter, QString::number(mark), Font::Small);
    }

    if (targetOnChart) {
        const double y = yOf(item.targetTime);
        canvas.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y), Pen::Target);
        canvas.drawText(QRectF(plot.right() - 50, y - 5, 50, 4.5), Qt::AlignRight | Qt::AlignBottom,
                        QStringLiteral("目標 ") + QString::number(item.targetTime) + u'秒',
                        Font::Target);
    }

    const int count = static_cast<int>(item.attempts.size());
    const auto xOf = [&](int k) { return plot.left() + (k + 0.5) * plot.width() / count; };
    for (int k = 1; k < count; ++k) {
        canvas.drawLine(QPointF(xOf(k - 1), yOf(item.attempts[k - 1].seconds)),
                        QPointF(xOf(k), yOf(item.attempts[k].seconds)), Pen::Trend);
    }
    for (int k = 0; k < count; ++k)
        canvas.drawPoint(QPointF(xOf(k), yOf(item.attempts[k].seconds)));
    for (const int k : datedAttempts(count, plot.width(), kDateLabelWidth)) {
        const double x = xOf(k);
        canvas.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + kTickLength),
                        Pen::Axis);
        canvas.drawText(QRectF(x - kDateLabelWidth / 2, plot.bottom() + 1.5, kDateLabelWidth, 4.5),
                        Qt::AlignHCenter | Qt::AlignTop,
                        dateLabel(item.attempts[static_cast<size_t>(k)].date), Font::Small);
    }
    if (count == 0) {
        canvas.drawText(plot, Qt::AlignCenter, QStringLiteral("まだ記録がありません"), Font::Note);
    }

    // The axes last, so that no grid line or trend covers them.
    canvas.drawLine(plot.topLeft(), plot.bottomLeft(), Pen::Axis);
    canvas.drawLine(plot.bottomLeft(), plot.bottomRight(), Pen::Axis);
    canvas.drawText(QRectF(plot.left(), plot.bottom() + 6.5, plot.width(), 5),
                    Qt::AlignRight | Qt::AlignVCenter,
                    QStringLiteral("受けた日（左が古く、右が新しい）"), Font::Label);
}

void drawTable(const GraphItem& item, GraphCanvas& canvas, double top)
{
    const QStringList lines = graphTableLines(item);
    double y = top;
    for (const QString& line : lines) {
        canvas.drawText(QRectF(kTableLeft, y, kTableWidth, kTableLineHeight),
                        Qt::AlignLeft | Qt::AlignVCenter, line, Font::Table);
        y += kTableLineHeight;
    }

    // What the marks of the chart mean.
    const double row = top + kTableLineHeight / 2;
    canvas.drawPoint(QPointF(kLegendLeft + 3, row));
    canvas.drawText(QRectF(kLegendLeft + 8, row - 2.5, 60, 5), Qt::AlignLeft | Qt::AlignVCenter,
                    QStringLiteral("1回ごとのタイム"), Font::Label);
    const double targetRow = row + 6;
    canvas.drawLine(QPointF(kLegendLeft, targetRow), QPointF(kLegendLeft + 6, targetRow),
                    Pen::Target);
    canvas.drawText(QRectF(kLegendLeft + 8, targetRow - 2.5, 60, 5),
                    Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("目標タイム"), Font::Label);
    canvas.drawText(QRectF(kLegendLeft, targetRow + 4, kWidth - kLegendLeft, 10),
                    Qt::AlignLeft | Qt::AlignTop,
                    QStringLiteral("下にあるほど速いタイムです。\n") +
                        QString::number(GraphDataReader::kCountedBelowSeconds) +
                        QStringLiteral("秒以上の回は入れていません。"),
                    Font::Small);
}

} // namespace

void drawGraphBlock(const GraphPage& page, const GraphItem& item, GraphCanvas& canvas, double top)
{
    drawHeading(page, item, canvas, top);
    const double chartTop = top + kHeadingHeight;
    drawChart(item, canvas, chartTop);
    drawTable(item, canvas, chartTop + kChartHeight + 2.0);
}

void drawGraphPage(const GraphPage& page, GraphCanvas& canvas, double sheetHeight)
{
    double y = 0;
    if (!page.status.ok() || page.items.empty()) {
        const QString note = page.status.ok() ? QStringLiteral("右の一覧から項目を選んでください。")
                                              : page.status.message;
        canvas.drawText(QRectF(0, y, kWidth, kNoteHeight), Qt::AlignLeft | Qt::AlignVCenter, note,
                        Font::Note);
        y += kNoteHeight;
    }
    for (const GraphItem& item : page.items) {
        const bool passesBottom = y + kBlockHeight - kBlockGap > sheetHeight;
        if (sheetHeight > 0 && y > 0 && passesBottom) {
            canvas.newPage();
            y = 0;
        }
        drawGraphBlock(page, item, canvas, y);
        y += kBlockHeight;
    }
}
