#pragma once

#include <QObject>

#include <functional>

class HelpWindow;
class QWidget;

// F1 anywhere in the program opens the help book at the section of the window it was pressed
// in. One filter on the whole application, so that no screen or dialog needs code of its own.
class HelpKey : public QObject
{
    Q_OBJECT
public:
    // help gives the help window, made when F1 is first pressed.
    explicit HelpKey(std::function<HelpWindow&()> help);
    ~HelpKey() override;

    // The page and anchor of the book, relative to its contents page, that explains what
    // window shows now; empty for the contents page itself.
    static QString pageFor(const QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<HelpWindow&()> m_help;
};
