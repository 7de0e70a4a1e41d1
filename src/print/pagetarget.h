#pragma once

#include <QPointF>
#include <QRectF>
#include <QStringList>

// Where a page is drawn: the preview picture, the printer or a PDF file. Positions are page
// coordinates: x and y both run from 0 to 10000 across the printable width and height.
class PageTarget
{
public:
    virtual ~PageTarget() = default;
    // Blanks the page; a target whose pages start blank may do nothing.
    virtual void clearPage() = 0;
    virtual void drawRule(QPointF from, QPointF to, double weight) = 0;
    // Draws the lines one under the other, the first one's top at topLeft.
    virtual void drawTextLines(const QStringList& lines, QPointF topLeft, int pointSize) = 0;
};

// How a text breaks into lines in a cell and how tall a line is. One measure serves every
// target, so the preview breaks its lines where the printed page does.
class TextMeasure
{
public:
    virtual ~TextMeasure() = default;
    // width in page units (x); no lines for an empty text.
    virtual QStringList breakLines(const QString& text, double width, int pointSize) const = 0;
    // Page units (y).
    virtual double lineHeight(int pointSize) const = 0;
};

// The sheet every target draws on: A4, with the same margins on every side.
namespace PageGeometry {

constexpr double kPaperShortMm = 210.0;
constexpr double kPaperLongMm = 297.0;
constexpr double kMarginMm = 10.0;
constexpr double kPortraitPreviewScale = 0.63;
constexpr double kLandscapePreviewScale = 0.8;

inline QSizeF paperSizeMm(bool portrait)
{
    return portrait ? QSizeF(kPaperShortMm, kPaperLongMm) : QSizeF(kPaperLongMm, kPaperShortMm);
}
inline QRectF printableRectMm(bool portrait)
{
    const QSizeF paper = paperSizeMm(portrait);
    return {kMarginMm, kMarginMm, paper.width() - 2 * kMarginMm, paper.height() - 2 * kMarginMm};
}
inline double previewScale(bool portrait)
{
    return portrait ? kPortraitPreviewScale : kLandscapePreviewScale;
}

} // namespace PageGeometry
