#pragma once

#include "core/screennavigator.h"

#include <QList>

// Records which screens were asked for, in order.
class FakeNavigator : public ScreenNavigator
{
public:
    void show(ScreenId screen) override { shown.append(screen); }
    void unload(ScreenId screen) override { unloaded.append(screen); }
    void setWaitFormVisible(bool visible) override { waitFormVisible = visible; }

    QList<ScreenId> shown;
    QList<ScreenId> unloaded;
    bool waitFormVisible = false;
};
