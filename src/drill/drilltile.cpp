#include "drill/drilltile.h"

#include <QMouseEvent>

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

void DrillTile::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && isEnabled()) {
        event->accept();
        emit clicked();
        return;
    }
    QLabel::mousePressEvent(event);
}
