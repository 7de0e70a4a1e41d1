#pragma once

class QAbstractButton;
class QWidget;

// Enter presses the focused push button under the widget, as Space does: pupils expect it of
// every button, not only of those in dialogs.
void letEnterPressButtons(QWidget* widget);

// A key that stands for a button does what a click does: nothing while the button is hidden or
// disabled. True when the button was clicked.
bool clickIfShown(QAbstractButton* button);
