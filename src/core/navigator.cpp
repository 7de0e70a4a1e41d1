#include "core/navigator.h"

#include "core/screen.h"
#include "platform/events.h"

#include <QStackedWidget>

Navigator::Navigator(QStackedWidget& stack, QWidget& waitForm)
    : m_stack(stack), m_waitForm(waitForm)
{
}

void Navigator::registerScreen(ScreenId screen, Factory factory)
{
    m_factories[screen] = std::move(factory);
}

void Navigator::show(ScreenId screen)
{
    QMetaObject::invokeMethod(
        this, [this, screen] { showNow(screen); }, Qt::QueuedConnection);
}

void Navigator::unload(ScreenId screen)
{
    QMetaObject::invokeMethod(
        this, [this, screen] { unloadNow(screen); }, Qt::QueuedConnection);
}

void Navigator::setWaitFormVisible(bool visible)
{
    m_waitForm.setVisible(visible);
    if (visible) {
        m_waitForm.raise();
        letPendingEventsRun();
    }
}

Screen* Navigator::loadedScreen(ScreenId screen) const
{
    const auto found = m_loaded.find(screen);
    return found == m_loaded.end() ? nullptr : found->second.data();
}

void Navigator::showNow(ScreenId screen)
{
    Screen* current = loadedScreen(screen);
    const bool fresh = current == nullptr;
    if (fresh) {
        const auto factory = m_factories.find(screen);
        if (factory == m_factories.end())
            return;
        current = factory->second();
        m_loaded[screen] = current;
        m_stack.addWidget(current);
    }
    m_stack.setCurrentWidget(current);
    emit captionChanged(current->windowCaption());
    if (fresh)
        current->load();
    // load() may have asked for another screen or unloaded this one; activate only what
    // is still here.
    if (loadedScreen(screen) != current)
        return;
    current->activate();
    // The wait form covers a hand-over; once the new screen is active the hand-over is done,
    // whichever screen asked for the form.
    m_waitForm.hide();
}

void Navigator::unloadNow(ScreenId screen)
{
    Screen* gone = loadedScreen(screen);
    m_loaded.erase(screen);
    if (!gone)
        return;
    m_stack.removeWidget(gone);
    gone->hide();
    gone->deleteLater();
}
