#pragma once

// The main screens, known by identifier so that a lower folder can ask for a higher one's
// screen without including it.
enum class ScreenId { NameSelection, Hub, Drill, Finish, Writing };

// Switches the main screens. Both calls are queued: the screen that asks is deleted only
// after the handler that asked has returned.
class ScreenNavigator
{
public:
    virtual ~ScreenNavigator() = default;
    // Makes the screen current: loads it first when it is not loaded, then activates it.
    virtual void show(ScreenId screen) = 0;
    // Drops the screen and its state; the next show loads it afresh.
    virtual void unload(ScreenId screen) = 0;
    // Shows or hides the please-wait overlay over the whole window.
    virtual void setWaitFormVisible(bool visible) = 0;
};
