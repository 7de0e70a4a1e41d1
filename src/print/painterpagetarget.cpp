#include "print/painterpagetarget.h"

#include "print/worksheetdrawing.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr double kPointsPerInch = 72.0;
constexpr int kReferenceDpi = 1200;
// A rule of weight 1 is 0.6 of this base width.
constexpr double kBaseRulePoints = 1.0;
constexpr double kRuleFactor = 0.6;

QFont fontForDevice(double pointSize, double pixelsPerPoint, const QPaintDevice& device)
{
    return worksheetFont(pointSize * pixelsPerPoint * kPointsPerInch / device.logicalDpiY());
}

QTextOption designMetrics()
{
    QTextOption option;
    option.setUseDesignMetrics(true);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    return option;
}

} // namespace

QFont worksheetFont(double pointSize)
{
    QFont font(QStringLiteral("IPAMincho"));
    font.setStyleHint(QFont::Serif);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setPointSizeF(std::max(pointSize, 0.1));
    return font;
}

PainterPageTarget::PainterPageTarget(QPainter& painter, QSizeF paperPixels, bool portrait)
    : m_painter(painter), m_paper(paperPixels)
{
    const QSizeF paperMm = PageGeometry::paperSizeMm(portrait);
    const QRectF areaMm = PageGeometry::printableRectMm(portrait);
    const double pixelsPerMm = paperPixels.width() / paperMm.width();
    m_area = QRectF(areaMm.topLeft() * pixelsPerMm, areaMm.size() * pixelsPerMm);
    m_pixelsPerPoint = pixelsPerMm / kPointsPerMm;
}

QPointF PainterPageTarget::toDevice(QPointF page) const
{
    const double units = WorksheetDrawing::kPageUnits;
    return {m_area.left() + page.x() / units * m_area.width(),
            m_area.top() + page.y() / units * m_area.height()};
}

void PainterPageTarget::clearPage()
{
    m_painter.fillRect(QRectF(QPointF(0, 0), m_paper), Qt::white);
}

void PainterPageTarget::drawRule(QPointF from, QPointF to, double weight)
{
    const double width = kRuleFactor * kBaseRulePoints * weight * m_pixelsPerPoint;
    QPen pen(Qt::black);
    pen.setWidthF(std::max(width, 1.0));
    pen.setCapStyle(Qt::SquareCap);
    m_painter.setPen(pen);
    m_painter.drawLine(toDevice(from), toDevice(to));
}

void PainterPageTarget::drawTextLines(const QStringList& lines, QPointF topLeft, int pointSize)
{
    // Laid out with design metrics, so a line is as wide on the preview as on the page,
    // only smaller: no advance is rounded to the screen's pixels.
    const QFont font = fontForDevice(pointSize, m_pixelsPerPoint, *m_painter.device());
    const QFontMetricsF metrics(font, m_painter.device());
    m_painter.setPen(Qt::black);
    QPointF top = toDevice(topLeft);
    for (const QString& line : lines) {
        QTextLayout layout(line, font, m_painter.device());
        layout.setTextOption(designMetrics());
        layout.beginLayout();
        QTextLine textLine = layout.createLine();
        textLine.setNumColumns(static_cast<int>(line.size()));
        textLine.setPosition(QPointF(0, metrics.ascent() - textLine.ascent()));
        layout.endLayout();
        layout.draw(&m_painter, top);
        top.ry() += metrics.lineSpacing();
    }
}

PageTextMeasure::PageTextMeasure(bool portrait)
    : m_areaPoints(PageGeometry::printableRectMm(portrait).size() * kPointsPerMm),
      m_reference(1, 1, QImage::Format_RGB32)
{
    const int dotsPerMeter = qRound(kReferenceDpi / 0.0254);
    m_reference.setDotsPerMeterX(dotsPerMeter);
    m_reference.setDotsPerMeterY(dotsPerMeter);
}

QStringList PageTextMeasure::breakLines(const QString& text, double width, int pointSize) const
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    const double widthPixels = width / WorksheetDrawing::kPageUnits * m_areaPoints.width() *
                               kReferenceDpi / kPointsPerInch;
    QTextLayout layout(text, worksheetFont(pointSize), &m_reference);
    layout.setTextOption(designMetrics());
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(widthPixels);
        lines << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

double PageTextMeasure::lineHeight(int pointSize) const
{
    const QFontMetricsF metrics(worksheetFont(pointSize), &m_reference);
    const double points = metrics.lineSpacing() * kPointsPerInch / kReferenceDpi;
    return points / m_areaPoints.height() * WorksheetDrawing::kPageUnits;
}
