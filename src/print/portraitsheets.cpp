#include "print/portraitsheets.h"

#include "print/pagetarget.h"
#include "print/printdevices.h"

#include <QPaintDevice>
#include <QPainter>

bool drawPortraitSheets(std::unique_ptr<PageDocument> document, const SheetPainting& drawing)
{
    QPainter* painter = document ? document->painter() : nullptr;
    if (!painter || !painter->device())
        return false;
    const double pixelsPerMm = painter->device()->logicalDpiX() / 25.4;
    const QRectF mm = PageGeometry::printableRectMm(true);
    const QRectF area(mm.topLeft() * pixelsPerMm, mm.size() * pixelsPerMm);
    drawing(*painter, area, pixelsPerMm, [&document] { return document->newPage(); });
    return document->finish();
}
