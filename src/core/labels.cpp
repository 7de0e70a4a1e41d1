#include "core/labels.h"

#include <QLabel>

QLabel* newLabel(const QString& objectName, int pointSize, bool bold, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    QFont font = label->font();
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    return label;
}
