#pragma once

#include "print/pagetarget.h"

#include <QFont>
#include <QImage>

class QPainter;

// The typeface of the worksheet at a size in points, laid out without hinting so that its
// widths scale evenly from the preview to the printer.
QFont worksheetFont(double pointSize);

// Draws page coordinates on any painter whose device shows the whole sheet with its origin at
// the sheet's corner: the preview picture, a printer page or a PDF page.
class PainterPageTarget : public PageTarget
{
public:
    PainterPageTarget(QPainter& painter, QSizeF paperPixels, bool portrait);

    void clearPage() override;
    void drawRule(QPointF from, QPointF to, double weight) override;
    void drawTextLines(const QStringList& lines, QPointF topLeft, int pointSize) override;

    QPointF toDevice(QPointF page) const;

private:
    QPainter& m_painter;
    QSizeF m_paper;
    QRectF m_area;
    double m_pixelsPerPoint = 1;
};

// Measures at the printer's page size whatever the target, at a resolution fine enough that
// rounding never moves a line break.
class PageTextMeasure : public TextMeasure
{
public:
    explicit PageTextMeasure(bool portrait);
    QStringList breakLines(const QString& text, double width, int pointSize) const override;
    double lineHeight(int pointSize) const override;

private:
    QSizeF m_areaPoints;
    QImage m_reference;
};
