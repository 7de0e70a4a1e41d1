#pragma once

#include <QStringList>
#include <QTest>
#include <QWidget>

// Presses Tab this many times where the focus of the window is, and names each element the
// focus reaches.
inline QStringList tabWalk(QWidget* window, int presses)
{
    QStringList reached;
    for (int i = 0; i < presses; ++i) {
        QWidget* focus = window->focusWidget();
        QTest::keyClick(focus ? focus : window, Qt::Key_Tab);
        reached << (window->focusWidget() ? window->focusWidget()->objectName() : QString());
    }
    return reached;
}

// Sends a key where the focus of the window is.
inline void keyAtFocus(QWidget* window, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* focus = window->focusWidget();
    QTest::keyClick(focus ? focus : window, key, modifiers);
}
