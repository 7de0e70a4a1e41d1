#include "writing/strokedrawing.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace StrokeDrawing {

namespace {
// The ink of a school pencil in a box of this size, and the guide's dash.
constexpr double kPenShare = 0.055;
constexpr double kNumberShare = 0.12;
} // namespace

QPointF toBox(const QPointF& point, const QRectF& box)
{
    return {box.left() + point.x() * box.width() / StrokeTable::kBox,
            box.top() + point.y() * box.height() / StrokeTable::kBox};
}

void drawGuide(QPainter& painter, const QRectF& box, const QColor& colour)
{
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, std::max(1.0, box.width() / 120)));
    painter.drawRect(box);
    QPen dashed(colour, std::max(1.0, box.width() / 240), Qt::DashLine);
    painter.setPen(dashed);
    painter.drawLine(QPointF(box.center().x(), box.top()), QPointF(box.center().x(), box.bottom()));
    painter.drawLine(QPointF(box.left(), box.center().y()), QPointF(box.right(), box.center().y()));
    painter.restore();
}

void drawStrokes(QPainter& painter, const QRectF& box, const Strokes& strokes, int count,
                 const QColor& colour)
{
    const qsizetype shown = count < 0 ? strokes.size() : std::min<qsizetype>(count, strokes.size());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(colour, box.width() * kPenShare, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (qsizetype i = 0; i < shown; ++i) {
        const Stroke& stroke = strokes.at(i);
        if (stroke.isEmpty())
            continue;
        QPainterPath path(toBox(stroke.first(), box));
        for (qsizetype p = 1; p < stroke.size(); ++p)
            path.lineTo(toBox(stroke.at(p), box));
        if (stroke.size() == 1)
            painter.drawPoint(path.currentPosition());
        else
            painter.drawPath(path);
    }
    painter.restore();
}

void drawStrokeNumbers(QPainter& painter, const QRectF& box, const Strokes& strokes, int count,
                       const QColor& colour)
{
    const qsizetype shown = count < 0 ? strokes.size() : std::min<qsizetype>(count, strokes.size());
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(std::max(6, int(box.height() * kNumberShare)));
    painter.setFont(font);
    painter.setPen(colour);
    const double size = box.height() * kNumberShare * 1.4;
    for (qsizetype i = 0; i < shown; ++i) {
        if (strokes.at(i).isEmpty())
            continue;
        const QPointF start = toBox(strokes.at(i).first(), box);
        // Up and to the left of the stroke's start, where the ink is not.
        const QRectF label(start.x() - size, start.y() - size, size, size);
        painter.drawText(label, Qt::AlignCenter, QString::number(i + 1));
    }
    painter.restore();
}

} // namespace StrokeDrawing
