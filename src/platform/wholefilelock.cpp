#include "platform/wholefilelock.h"

#include <cerrno>
#include <fcntl.h>

int WholeFileLock::setLock(int fd, short type)
{
    int error = 0;
    do {
        error = m_calls.setWholeFileLock(fd, m_processLock ? F_SETLK : F_OFD_SETLK, type);
        if (error == EINVAL && !m_processLock) {
            m_processLock = true;
            error = EINTR; // try again at once with the fallback
        }
    } while (error == EINTR);
    return error;
}

WholeFileLock::Outcome WholeFileLock::tryLock(int fd)
{
    const int error = setLock(fd, F_WRLCK);
    if (error == 0)
        return Outcome::Locked;
    if (error == EAGAIN || error == EACCES)
        return Outcome::HeldByAnother;
    m_error = error;
    return Outcome::Failed;
}

int WholeFileLock::unlock(int fd)
{
    return setLock(fd, F_UNLCK);
}
