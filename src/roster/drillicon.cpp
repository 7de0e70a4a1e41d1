#include "roster/drillicon.h"

#include <QPainter>

QPixmap drillIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, size / 24.0));
    painter.setBrush(QColor(0, 64, 64));
    const qreal inset = size / 16.0;
    painter.drawRoundedRect(QRectF(inset, inset, size - 2 * inset, size - 2 * inset), size / 8.0,
                            size / 8.0);
    QFont font(QStringLiteral("IPAGothic"));
    font.setPixelSize(size * 3 / 8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(QColor(255, 230, 120));
    painter.drawText(QRectF(0, 0, size, size), Qt::AlignCenter, QStringLiteral("四字\n熟語"));
    return pixmap;
}
