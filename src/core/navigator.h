#pragma once

#include "core/screennavigator.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <map>

class QStackedWidget;
class QWidget;
class Screen;

// Holds the current main screen in a stack of the main window and creates screens from
// factories registered by main().
class Navigator : public QObject, public ScreenNavigator
{
    Q_OBJECT
public:
    using Factory = std::function<Screen*()>;

    Navigator(QStackedWidget& stack, QWidget& waitForm);

    void registerScreen(ScreenId screen, Factory factory);
    void show(ScreenId screen) override;
    void unload(ScreenId screen) override;
    void setWaitFormVisible(bool visible) override;

    // The loaded screen, or null.
    Screen* loadedScreen(ScreenId screen) const;

signals:
    void captionChanged(const QString& caption);

private:
    void showNow(ScreenId screen);
    void unloadNow(ScreenId screen);

    QStackedWidget& m_stack;
    QWidget& m_waitForm;
    std::map<ScreenId, Factory> m_factories;
    std::map<ScreenId, QPointer<Screen>> m_loaded;
};
