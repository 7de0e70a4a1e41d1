#include "drill/drilltile.h"

#include <QMouseEvent>
#include <QPainter>

DrillTile::DrillTile(const QString& objectName, const char* role, QWidget* parent) : QLabel(parent)
{
    setObjectName(objectName);
    setProperty("role", QString::fromLatin1(role));
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::NoFocus);
}

void DrillTile::setCharacter(const QString& character)
{
    if (text() == character)
        return;
    setText(character);
    setAccessibleName(character);
}

void DrillTile::setKeyCaption(const QString& caption)
{
    m_keyCaption = caption;
    update();
}

void DrillTile::press()
{
    if (isEnabled())
        emit clicked();
}

void DrillTile::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled()) {
        event->accept();
        press();
        return;
    }
    QLabel::mousePressEvent(event);
}

void DrillTile::paintEvent(QPaintEvent* event)
{
    QLabel::paintEvent(event);
    if (m_keyCaption.isEmpty())
        return;
    // Small and pale, so that it never competes with the character.
    QPainter painter(this);
    QFont font = painter.font();
    font.setPointSizeF(9);
    font.setBold(true);
    painter.setFont(font);
    QColor colour = palette().color(QPalette::WindowText);
    colour.setAlpha(isEnabled() ? 140 : 70);
    painter.setPen(colour);
    painter.drawText(rect().adjusted(9, 5, -9, -5), Qt::AlignLeft | Qt::AlignTop, m_keyCaption);
}
