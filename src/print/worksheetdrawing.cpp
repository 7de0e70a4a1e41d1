#include "print/worksheetdrawing.h"

#include "print/pagetarget.h"
#include "print/worksheet.h"

#include <algorithm>
#include <cmath>

namespace WorksheetDrawing {

namespace {
constexpr double kTopMargin = 0.1;
constexpr double kTableHeight = 0.9;
constexpr double kRuleAboveText = 100;
constexpr double kCellInset = 0.01;
constexpr double kCellTextWidth = 0.95;
} // namespace

void drawTable(const Worksheet& worksheet, PageTarget& target, const TextMeasure& measure)
{
    target.clearPage();
    const int rows = std::min(worksheet.printRowCount, Worksheet::kMaxRow);
    const int columns = std::min(worksheet.printColumnCount, Worksheet::kMaxColumn);
    if (rows < 1)
        return;
    const double pitch = kTableHeight / rows;
    const double rowHeight = pitch * kPageUnits;
    const auto textTop = [&](int row) { return kPageUnits * ((row - 1) * pitch + kTopMargin); };

    for (int row = 0; row <= rows; ++row) {
        const double top = textTop(row);
        for (int column = 1; column <= columns; ++column) {
            const double left = worksheet.columnEdge(column);
            const double right = worksheet.columnEdge(column + 1);
            fitCellText(target, measure, worksheet.cell(column, row),
                        {kPageUnits * (left + kCellInset), top},
                        kPageUnits * kCellTextWidth * (right - left), rowHeight,
                        worksheet.printFontSize);
        }
        target.drawRule({0, top - kRuleAboveText}, {kPageUnits, top - kRuleAboveText}, 1);
    }
    const double bottom = textTop(rows + 1) - kRuleAboveText;
    target.drawRule({0, bottom}, {kPageUnits, bottom}, 1);
    const double tableTop = textTop(0) - kRuleAboveText;
    for (int column = 1; column <= columns + 1; ++column) {
        const double x = kPageUnits * worksheet.columnEdge(column);
        target.drawRule({x, tableTop}, {x, bottom}, 1);
    }
}

int fitCellText(PageTarget& target, const TextMeasure& measure, const QString& text,
                QPointF topLeft, double width, double rowHeight, int startSize)
{
    if (text.isEmpty())
        return startSize;
    int size = startSize > 0 ? startSize : kUnsetFontSize;
    QStringList lines = measure.breakLines(text, width, size);
    while ((lines.size() + 1) * measure.lineHeight(size) >= rowHeight) {
        if (size <= kSmallestFontSize) {
            const auto fitting = static_cast<qsizetype>(
                std::max(0.0, std::ceil(rowHeight / measure.lineHeight(size)) - 2));
            lines = lines.mid(0, std::min(lines.size(), fitting));
            break;
        }
        --size;
        lines = measure.breakLines(text, width, size);
    }
    if (!lines.isEmpty())
        target.drawTextLines(lines, topLeft, size);
    return size;
}

} // namespace WorksheetDrawing
