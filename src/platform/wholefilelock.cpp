#include "platform/wholefilelock.h"

#include "platform/sleeper.h"

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

Status whileWholeFileLocked(FileCalls& calls, Sleeper& sleeper, const QString& path,
                            const std::function<Status(int fd)>& work, int* waits)
{
    const auto failure = [](int error) {
        return Status::failure(FileCalls::errorText(error), error);
    };
    *waits = 0;
    int fd = -1;
    if (const int error = calls.openFile(path, FileCalls::Access::ReadWrite, &fd))
        return failure(error);

    WholeFileLock lock(calls);
    for (;;) {
        const WholeFileLock::Outcome outcome = lock.tryLock(fd);
        if (outcome == WholeFileLock::Outcome::Locked)
            break;
        if (outcome == WholeFileLock::Outcome::Failed) {
            calls.closeFile(fd);
            return failure(lock.error());
        }
        ++*waits;
        sleeper.waitWhileEventsRun(WholeFileLock::kRetryMilliseconds);
    }

    Status status = work(fd);
    const int unlockError = lock.unlock(fd);
    const int closeError = calls.closeFile(fd);
    if (!status.ok())
        return status;
    if (unlockError)
        return failure(unlockError);
    if (closeError)
        return failure(closeError);
    return status;
}
