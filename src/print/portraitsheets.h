#pragma once

#include <QRectF>

#include <functional>
#include <memory>

class PageDocument;
class QPainter;

// Draws sheets: the painter, the printable area in device pixels, pixels per millimetre and a
// way to start the next sheet.
using SheetPainting =
    std::function<void(QPainter&, const QRectF&, double, const std::function<bool()>&)>;

// Draws on a portrait document through its painter and finishes it. False when the document
// could not be started (null) or finished.
bool drawPortraitSheets(std::unique_ptr<PageDocument> document, const SheetPainting& drawing);
