#pragma once

#include <QLockFile>
#include <QString>

#include <memory>

// Tells whether another copy of the program runs from the same program folder. The lock is
// held for the life of this object and released by the system if the process dies.
class SingleInstanceLock
{
public:
    explicit SingleInstanceLock(const QString& programFolder);
    bool acquired() const { return m_acquired; }

private:
    std::unique_ptr<QLockFile> m_lock;
    bool m_acquired = false;
};
