#pragma once

#include "platform/filecalls.h"

#include <QList>

#include <algorithm>
#include <deque>

// The real file calls, each of which can be made to fail from a script. A call takes the next
// entry of its queue: a nonzero entry is returned as the call's error without calling the
// system, 0 (or an empty queue) makes the real call.
class ScriptedFileCalls : public PosixFileCalls
{
public:
    int openFile(const QString& path, Access access, int* fd) override
    {
        if (const int error = next(openErrors))
            return error;
        const int error = PosixFileCalls::openFile(path, access, fd);
        opens += error == 0 ? 1 : 0;
        return error;
    }
    int readAt(int fd, qint64 offset, char* buffer, qint64 length, qint64* done) override
    {
        if (const int error = next(readErrors))
            return error;
        return PosixFileCalls::readAt(fd, offset, buffer, length, done);
    }
    // With writeBytesBeforeError set, a write puts that many bytes and then fails with
    // writeError, like a disk that fills up in the middle of a record.
    int writeAt(int fd, qint64 offset, const char* data, qint64 length, qint64* done) override
    {
        if (writeBytesBeforeError >= 0) {
            qint64 put = 0;
            PosixFileCalls::writeAt(fd, offset, data, std::min(length, writeBytesBeforeError),
                                    &put);
            return writeError;
        }
        return PosixFileCalls::writeAt(fd, offset, data, length, done);
    }
    int syncData(int fd) override
    {
        if (const int error = next(syncErrors))
            return error;
        return PosixFileCalls::syncData(fd);
    }
    int setWholeFileLock(int fd, int command, short type) override
    {
        lockCalls.append({command, type});
        if (const int error = next(lockErrors))
            return error;
        return PosixFileCalls::setWholeFileLock(fd, command, type);
    }
    int closeFile(int fd) override
    {
        ++closes;
        return PosixFileCalls::closeFile(fd);
    }

    struct LockCall
    {
        int command;
        short type;
    };

    std::deque<int> openErrors;
    std::deque<int> readErrors;
    std::deque<int> syncErrors;
    std::deque<int> lockErrors;
    qint64 writeBytesBeforeError = -1;
    int writeError = 0;
    QList<LockCall> lockCalls;
    int opens = 0;
    int closes = 0;

private:
    static int next(std::deque<int>& script)
    {
        if (script.empty())
            return 0;
        const int error = script.front();
        script.pop_front();
        return error;
    }
};
