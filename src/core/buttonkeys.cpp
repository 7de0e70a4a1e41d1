#include "core/buttonkeys.h"

#include <QPushButton>

void letEnterPressButtons(QWidget* widget)
{
    for (QPushButton* button : widget->findChildren<QPushButton*>())
        button->setAutoDefault(true);
}

bool clickIfShown(QAbstractButton* button)
{
    if (!button->isVisible() || !button->isEnabled())
        return false;
    button->click();
    return true;
}
