#pragma once

#include <QPointF>
#include <QString>

class PageTarget;
class TextMeasure;
class Worksheet;

namespace WorksheetDrawing {

constexpr double kPageUnits = 10000.0;
constexpr int kUnsetFontSize = 50;
constexpr int kSmallestFontSize = 1;

// The ruled table of the worksheet: a heading row and printRowCount rows, each cell's text
// fitted into its row.
void drawTable(const Worksheet& worksheet, PageTarget& target, const TextMeasure& measure);

// Draws text from topLeft within width, one point smaller at a time until its lines and one
// more fit into rowHeight; at the smallest size only the lines that fit are drawn. Returns
// the size drawn at.
int fitCellText(PageTarget& target, const TextMeasure& measure, const QString& text,
                QPointF topLeft, double width, double rowHeight, int startSize);

} // namespace WorksheetDrawing
