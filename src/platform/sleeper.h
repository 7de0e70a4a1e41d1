#pragma once

// Waits while screen events keep running (lock retries, the retry of an unreachable folder).
// Injected so that tests of these paths take no real time.
class Sleeper
{
public:
    virtual ~Sleeper() = default;
    virtual void waitWhileEventsRun(int milliseconds) = 0;
};

class EventLoopSleeper : public Sleeper
{
public:
    void waitWhileEventsRun(int milliseconds) override;
};
