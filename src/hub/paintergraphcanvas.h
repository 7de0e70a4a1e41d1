#pragma once

#include "hub/graphdrawing.h"
#include "hub/graphpanel.h"

#include <QFont>
#include <QPointF>

#include <functional>

class QPainter;

// The graph panel's drawing on any painter: the panel's picture, an image, a printer or a PDF
// page. Millimetres become device pixels at the given scale.
class PainterGraphCanvas : public GraphCanvas
{
public:
    // origin: where the drawing area's top left corner lies on the device. nextSheet starts a
    // new sheet on a paged device; left empty there are no further sheets.
    PainterGraphCanvas(QPainter& painter, QPointF origin, double pixelsPerMm,
                       std::function<bool()> nextSheet = {});

    void drawLine(QPointF from, QPointF to, Pen pen) override;
    void drawPoint(QPointF centre) override;
    void drawText(const QRectF& box, Qt::Alignment alignment, const QString& text,
                  Font font) override;
    double textWidth(const QString& text, Font font) const override;
    bool newPage() override;

    QPointF toDevice(QPointF millimetres) const;

private:
    QFont fontFor(Font font) const;

    QPainter& m_painter;
    QPointF m_origin;
    double m_pixelsPerMm = 1;
    std::function<bool()> m_nextSheet;
};

// The face of a font of the graph: IPA Gothic, fixed pitch for the table.
QFont graphFont(GraphCanvas::Font font);

// The system's printer and PDF files, through the worksheet printing's devices.
class QtGraphPaper : public GraphPaper
{
public:
    QtGraphPaper();
    ~QtGraphPaper() override;
    bool printerInstalled() const override;
    std::unique_ptr<GraphDocument> startPrinterDocument() override;
    std::unique_ptr<GraphDocument> startPdfDocument(const QString& path) override;

private:
    struct Devices;
    std::unique_ptr<Devices> m_devices;
};
