#pragma once

#include "platform/filecalls.h"
#include "platform/status.h"

#include <QString>

#include <functional>

class Sleeper;

// A write lock over a whole file, held while a record is appended or a file is rewritten, so
// that writers on several machines never compute the same record number nor lose each other's
// change.
//
// It is an open-file-description lock: a process-associated lock would be dropped by any
// other close of the same file anywhere in the process. Where a file system refuses those
// (EINVAL), it falls back to a process-associated lock; the caller then must keep that one
// descriptor open, and open no other, for as long as the lock is held.
class WholeFileLock
{
public:
    enum class Outcome { Locked, HeldByAnother, Failed };

    explicit WholeFileLock(FileCalls& calls) : m_calls(calls) {}

    // One try; a signal that interrupts it is retried at once.
    Outcome tryLock(int fd);
    // 0 or the system's error number.
    int unlock(int fd);

    // How long a writer that found the lock held lets screen events run before it tries again.
    static constexpr int kRetryMilliseconds = 1000;

    // The error number of the last Failed outcome.
    int error() const { return m_error; }
    bool usesProcessLock() const { return m_processLock; }

private:
    int setLock(int fd, short type);

    FileCalls& m_calls;
    int m_error = 0;
    bool m_processLock = false;
};

// Opens path for reading and writing (creating it when missing), takes the whole-file lock on it,
// waiting while another process holds it, runs work and releases the lock and the file. A
// failure of work comes back as it is, any other with the system's error number and text.
// *waits gets the number of waits of WholeFileLock::kRetryMilliseconds.
Status whileWholeFileLocked(FileCalls& calls, Sleeper& sleeper, const QString& path,
                            const std::function<Status(int fd)>& work, int* waits);
