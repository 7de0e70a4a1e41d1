#pragma once

#include <QPointF>
#include <QRectF>
#include <QString>
#include <Qt>

#include <vector>

struct GraphItem;
struct GraphPage;

// Where the graph panel's page is drawn: the panel's picture, a printer or a PDF file.
// Positions and sizes are millimetres from the top left corner of the drawing area.
class GraphCanvas
{
public:
    enum class Pen { Axis, Grid, Target, Trend, Frame };
    // Font::Target is the target line's label, on a white ground so that no line crosses it.
    enum class Font { Heading, Label, Small, Table, Note, Target };

    virtual ~GraphCanvas() = default;
    virtual void drawLine(QPointF from, QPointF to, Pen pen) = 0;
    // One counted attempt: a dot.
    virtual void drawPoint(QPointF centre) = 0;
    virtual void drawText(const QRectF& box, Qt::Alignment alignment, const QString& text,
                          Font font) = 0;
    // The width of text on one line at font, in millimetres, as drawText draws it.
    virtual double textWidth(const QString& text, Font font) const = 0;
    // Starts the next sheet; y starts again at 0. False where that failed.
    virtual bool newPage() = 0;
};

// The layout of the page, shared by the screen and the paper so that both look alike.
namespace GraphLayout {

// The printable area of A4 portrait with 10 mm margins.
constexpr double kWidth = 190.0;
constexpr double kPaperHeight = 277.0;

constexpr double kHeadingHeight = 9.0;
constexpr double kChartHeight = 72.0;
constexpr double kTableLineHeight = 5.0;
constexpr int kTableLines = 10; // the most a table has
constexpr double kBlockGap = 7.0;
constexpr double kNoteHeight = 8.0; // a line above the blocks that says why there are none
constexpr double kBlockHeight =
    kHeadingHeight + kChartHeight + 2.0 + kTableLines * kTableLineHeight + kBlockGap;

// The size of a font's em in millimetres. The canvas picks the faces: Font::Table is fixed
// pitch, so the table's blanks line its columns up.
double fontSize(GraphCanvas::Font font);

// The time axis: 0 at the bottom up to top, marked every step seconds.
struct TimeAxis
{
    int top = 0;
    int step = 0;
};
// Reaches the largest counted result and the target time, in round steps; never 0.
TimeAxis timeAxis(int largest, int target);

// Which attempts (0-based) get their date under the axis so that the dates do not overlap:
// every k-th from the first, and the last one.
std::vector<int> datedAttempts(int count, double plotWidth, double labelWidth);

// The height of a page drawn without sheets (the screen).
double pageHeight(const GraphPage& page);

} // namespace GraphLayout

// The one drawing routine of the graph panel. Draws the pupil's blocks one under the other
// from y = 0. With sheetHeight above 0 (paper) a block that would pass the bottom of the sheet
// starts the next sheet; with 0 (the screen) the page simply grows.
void drawGraphPage(const GraphPage& page, GraphCanvas& canvas, double sheetHeight);

// One item's block at top: heading, chart and table.
void drawGraphBlock(const GraphPage& page, const GraphItem& item, GraphCanvas& canvas, double top);
