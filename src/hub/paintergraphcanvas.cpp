#include "hub/paintergraphcanvas.h"

#include "core/listfont.h"
#include "print/pagetarget.h"
#include "print/qtprintdevices.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <optional>

namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kPointRadiusMm = 1.1;

struct PenStyle
{
    QColor colour;
    double widthMm;
    Qt::PenStyle style;
};

PenStyle penStyle(GraphCanvas::Pen pen)
{
    switch (pen) {
    case GraphCanvas::Pen::Axis:
        return {Qt::black, 0.35, Qt::SolidLine};
    case GraphCanvas::Pen::Grid:
        return {QColor(0xc8, 0xc8, 0xc8), 0.15, Qt::SolidLine};
    case GraphCanvas::Pen::Target:
        return {QColor(0xd9, 0x48, 0x0f), 0.5, Qt::DashLine};
    case GraphCanvas::Pen::Trend:
        return {QColor(0x7a, 0xa6, 0xda), 0.3, Qt::SolidLine};
    case GraphCanvas::Pen::Frame:
        return {QColor(0x60, 0x60, 0x60), 0.25, Qt::SolidLine};
    }
    return {Qt::black, 0.3, Qt::SolidLine};
}

} // namespace

QFont graphFont(GraphCanvas::Font font)
{
    QFont face(font == GraphCanvas::Font::Table ? kFixedPitchFamily : QStringLiteral("IPAPGothic"));
    face.setStyleHint(QFont::SansSerif);
    face.setBold(font == GraphCanvas::Font::Heading);
    // Without hinting the widths scale evenly from the screen to the printer.
    face.setHintingPreference(QFont::PreferNoHinting);
    return face;
}

PainterGraphCanvas::PainterGraphCanvas(QPainter& painter, QPointF origin, double pixelsPerMm,
                                       std::function<bool()> nextSheet)
    : m_painter(painter), m_origin(origin), m_pixelsPerMm(pixelsPerMm),
      m_nextSheet(std::move(nextSheet))
{
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
}

QPointF PainterGraphCanvas::toDevice(QPointF millimetres) const
{
    return m_origin + millimetres * m_pixelsPerMm;
}

QFont PainterGraphCanvas::fontFor(Font font) const
{
    QFont face = graphFont(font);
    const double pixels = GraphLayout::fontSize(font) * m_pixelsPerMm;
    const int dpi = m_painter.device() ? m_painter.device()->logicalDpiY() : 96;
    face.setPointSizeF(std::max(pixels * kPointsPerInch / std::max(dpi, 1), 0.5));
    return face;
}

void PainterGraphCanvas::drawLine(QPointF from, QPointF to, Pen pen)
{
    const PenStyle style = penStyle(pen);
    QPen line(style.colour);
    line.setWidthF(std::max(style.widthMm * m_pixelsPerMm, 1.0));
    line.setStyle(style.style);
    line.setCapStyle(Qt::FlatCap);
    m_painter.setPen(line);
    m_painter.drawLine(toDevice(from), toDevice(to));
}

void PainterGraphCanvas::drawPoint(QPointF centre)
{
    const double radius = kPointRadiusMm * m_pixelsPerMm;
    QPen rim(Qt::white);
    rim.setWidthF(std::max(0.2 * m_pixelsPerMm, 1.0));
    m_painter.setPen(rim);
    m_painter.setBrush(QColor(0x1c, 0x5f, 0xb0));
    m_painter.drawEllipse(toDevice(centre), radius, radius);
    m_painter.setBrush(Qt::NoBrush);
}

void PainterGraphCanvas::drawText(const QRectF& box, Qt::Alignment alignment, const QString& text,
                                  Font font)
{
    m_painter.setFont(fontFor(font));
    const QRectF device(toDevice(box.topLeft()), box.size() * m_pixelsPerMm);
    if (font == Font::Target) {
        const double pad = 0.6 * m_pixelsPerMm;
        const QRectF used = m_painter.boundingRect(device, static_cast<int>(alignment), text);
        m_painter.fillRect(used.adjusted(-pad, 0, pad, 0), Qt::white);
        m_painter.setPen(penStyle(Pen::Target).colour);
    } else {
        m_painter.setPen(font == Font::Note ? QColor(0x70, 0x70, 0x70) : QColor(Qt::black));
    }
    m_painter.drawText(device, static_cast<int>(alignment), text);
}

double PainterGraphCanvas::textWidth(const QString& text, Font font) const
{
    const QFontMetricsF metrics(fontFor(font), m_painter.device());
    return metrics.horizontalAdvance(text) / m_pixelsPerMm;
}

bool PainterGraphCanvas::newPage()
{
    return m_nextSheet && m_nextSheet();
}

namespace {

// A printer or PDF document of the worksheet printing, drawn page after page.
class PagedGraphDocument : public GraphDocument
{
public:
    explicit PagedGraphDocument(std::unique_ptr<PageDocument> document)
        : m_document(std::move(document))
    {
        QPainter* painter = m_document->painter();
        const QPaintDevice* device = painter->device();
        const double pixelsPerMm = device->logicalDpiX() / 25.4;
        const QRectF area = PageGeometry::printableRectMm(true);
        m_canvas.emplace(*painter, area.topLeft() * pixelsPerMm, pixelsPerMm,
                         [this] { return m_document->newPage(); });
    }
    GraphCanvas& canvas() override { return *m_canvas; }
    bool finish() override { return m_document->finish(); }

private:
    std::unique_ptr<PageDocument> m_document;
    std::optional<PainterGraphCanvas> m_canvas;
};

std::unique_ptr<GraphDocument> pagedDocument(std::unique_ptr<PageDocument> document)
{
    if (!document || !document->painter() || !document->painter()->device())
        return nullptr;
    return std::make_unique<PagedGraphDocument>(std::move(document));
}

} // namespace

struct QtGraphPaper::Devices
{
    QtPrintDevices devices;
};

QtGraphPaper::QtGraphPaper() : m_devices(std::make_unique<Devices>()) {}

QtGraphPaper::~QtGraphPaper() = default;

bool QtGraphPaper::printerInstalled() const
{
    return m_devices->devices.printerInstalled();
}

std::unique_ptr<GraphDocument> QtGraphPaper::startPrinterDocument()
{
    return pagedDocument(m_devices->devices.startPrinterDocument(true, 1));
}

std::unique_ptr<GraphDocument> QtGraphPaper::startPdfDocument(const QString& path)
{
    return pagedDocument(m_devices->devices.startPdfDocument(path, true));
}
