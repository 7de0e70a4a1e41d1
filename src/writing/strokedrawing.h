#pragma once

#include "writing/stroketable.h"

#include <QColor>
#include <QRectF>

class QPainter;

// The drawing of kanji strokes shared by the writing screen and the practice sheet, so that
// what a pupil traces on paper is exactly what the screen showed.
namespace StrokeDrawing {

// The frame of a writing box and its dashed cross, as in a school notebook (田).
void drawGuide(QPainter& painter, const QRectF& box, const QColor& colour);
// The first count strokes of a kanji (all of them when count < 0), scaled from the stroke
// table's box into box, with round ends, the pen width a fixed share of the box.
void drawStrokes(QPainter& painter, const QRectF& box, const Strokes& strokes, int count,
                 const QColor& colour);
// Small numbers at the start of the first count strokes, for a stroke-order figure.
void drawStrokeNumbers(QPainter& painter, const QRectF& box, const Strokes& strokes, int count,
                       const QColor& colour);
// A point of the stroke table's box in box.
QPointF toBox(const QPointF& point, const QRectF& box);

} // namespace StrokeDrawing
