#include "results/festivebackground.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace {

// A fixed sequence, so that the confetti lies in the same places on every drill.
class Scatter
{
public:
    double next()
    {
        m_state = m_state * 1103515245u + 12345u;
        return static_cast<double>((m_state >> 8) & 0xFFFF) / 65536.0;
    }

private:
    quint32 m_state = 20240401u;
};

const std::array<QColor, 6> kFestiveColours = {QColor(0xE5, 0x39, 0x35), QColor(0xFB, 0x8C, 0x00),
                                               QColor(0xFD, 0xD8, 0x35), QColor(0x43, 0xA0, 0x47),
                                               QColor(0x1E, 0x88, 0xE5), QColor(0x8E, 0x24, 0xAA)};

void drawSky(QPainter& painter, const QSize& size)
{
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0.0, QColor(0x9A, 0xD8, 0xFF));
    sky.setColorAt(0.55, QColor(0xE6, 0xF6, 0xFF));
    sky.setColorAt(1.0, QColor(0xFF, 0xF3, 0xC4));
    painter.fillRect(QRect(QPoint(0, 0), size), sky);

    // A soft sun glow behind the result.
    QRadialGradient glow(size.width() / 2.0, size.height() * 0.42, size.width() * 0.45);
    glow.setColorAt(0.0, QColor(255, 255, 255, 200));
    glow.setColorAt(1.0, QColor(255, 255, 255, 0));
    painter.fillRect(QRect(QPoint(0, 0), size), glow);
}

void drawGarland(QPainter& painter, const QSize& size)
{
    const double width = size.width();
    const double sag = size.height() * 0.035;
    const double top = size.height() * 0.012;
    const auto ropeY = [&](double x) {
        const double t = x / width;
        return top + sag * 4 * t * (1 - t);
    };
    QPainterPath rope;
    rope.moveTo(0, ropeY(0));
    for (int x = 8; x <= size.width(); x += 8)
        rope.lineTo(x, ropeY(x));
    painter.setPen(QPen(QColor(0x6D, 0x4C, 0x41), 2));
    painter.drawPath(rope);

    const int flags = 18;
    const double pitch = width / flags;
    const double flagHeight = size.height() * 0.05;
    painter.setPen(Qt::NoPen);
    for (int k = 0; k < flags; ++k) {
        const double left = k * pitch + pitch * 0.12;
        const double right = (k + 1) * pitch - pitch * 0.12;
        const double middle = (left + right) / 2;
        QPolygonF flag;
        flag << QPointF(left, ropeY(left)) << QPointF(right, ropeY(right))
             << QPointF(middle, ropeY(middle) + flagHeight);
        painter.setBrush(kFestiveColours[static_cast<size_t>(k) % kFestiveColours.size()]);
        painter.drawPolygon(flag);
    }
}

void drawConfetti(QPainter& painter, const QSize& size)
{
    Scatter scatter;
    const double unit = size.width() / 1024.0;
    painter.setPen(Qt::NoPen);
    for (int k = 0; k < 140; ++k) {
        const double x = scatter.next() * size.width();
        // Thicker near the top and the bottom, thin in the middle where the texts are.
        const double band = scatter.next();
        const double y = band < 0.5 ? size.height() * (0.07 + band * 0.36)
                                    : size.height() * (0.70 + (band - 0.5) * 0.6);
        QColor colour = kFestiveColours[static_cast<size_t>(scatter.next() * 6) % 6];
        colour.setAlpha(170);
        painter.setBrush(colour);
        painter.save();
        painter.translate(x, y);
        painter.rotate(scatter.next() * 180);
        const double length = (5 + scatter.next() * 7) * unit;
        if (k % 3 == 0)
            painter.drawEllipse(QPointF(0, 0), length / 2, length / 2);
        else
            painter.drawRect(QRectF(-length / 2, -length / 5, length, length * 0.4));
        painter.restore();
    }
}

void drawStars(QPainter& painter, const QSize& size)
{
    const double unit = size.width() / 1024.0;
    const std::array<QPointF, 6> places = {QPointF(0.06, 0.30), QPointF(0.94, 0.28),
                                           QPointF(0.10, 0.62), QPointF(0.90, 0.60),
                                           QPointF(0.04, 0.88), QPointF(0.96, 0.90)};
    painter.setPen(QPen(QColor(0xF5, 0x7F, 0x17), 1.5 * unit));
    painter.setBrush(QColor(0xFF, 0xD5, 0x4F));
    for (const QPointF& place : places) {
        const QPointF centre(place.x() * size.width(), place.y() * size.height());
        QPolygonF star;
        for (int corner = 0; corner < 10; ++corner) {
            const double radius = (corner % 2 == 0 ? 22 : 9) * unit;
            const double angle = -M_PI / 2 + corner * M_PI / 5;
            star << centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        }
        painter.drawPolygon(star);
    }
}

} // namespace

QPixmap festiveBackground(const QSize& size)
{
    QPixmap picture(size.expandedTo(QSize(1, 1)));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSky(painter, picture.size());
    drawConfetti(painter, picture.size());
    drawStars(painter, picture.size());
    drawGarland(painter, picture.size());
    return picture;
}
