#pragma once

#include <QDateTime>
#include <QElapsedTimer>

// The local date and time of day, and a monotonic clock for measuring drills: a drill that
// runs across midnight or a clock change still measures its real length.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
    virtual qint64 monotonicMilliseconds() const = 0;
};

class SystemClock : public Clock
{
public:
    SystemClock() { m_started.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMilliseconds() const override { return m_started.elapsed(); }

private:
    QElapsedTimer m_started;
};
