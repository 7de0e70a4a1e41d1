#pragma once

#include "platform/sleeper.h"

#include <chrono>
#include <thread>

// For writer processes of the concurrency and kill tests: retries of a held lock stay short,
// since the writers only compete with each other.
class ShortSleeper : public Sleeper
{
public:
    void waitWhileEventsRun(int) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
};
