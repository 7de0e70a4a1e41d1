#pragma once

#include <QWidget>

class QStackedWidget;
class WaitForm;

// The program's one window: the current main screen fills it, the wait form covers it.
// Dialogs are owned by it, never by a screen that may be unloaded.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kDesignWidth = 1024;
    static constexpr int kDesignHeight = 768;

    MainWindow();
    QStackedWidget& screenStack() { return *m_stack; }
    WaitForm& waitForm() { return *m_waitForm; }

private:
    QStackedWidget* m_stack = nullptr;
    WaitForm* m_waitForm = nullptr;
};
