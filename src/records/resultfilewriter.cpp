#include "records/resultfilewriter.h"

#include "platform/sleeper.h"
#include "platform/wholefilelock.h"
#include "records/resultfiles.h"

#include <cerrno>

Status ResultFileWriter::failure(int error)
{
    return Status::failure(FileCalls::errorText(error), error);
}

Status ResultFileWriter::append(const QString& path, int recordLength,
                                const std::function<QByteArray()>& makeRecord)
{
    return whileLocked(path, [&](int fd) { return writeLocked(fd, recordLength, makeRecord); });
}

Status ResultFileWriter::cutTornTail(const QString& path, int recordLength, qint64* cutBytes)
{
    *cutBytes = 0;
    return whileLocked(path, [&](int fd) {
        qint64 length = 0;
        if (const int error = m_calls.fileSize(fd, &length))
            return failure(error);
        const qint64 whole = length / recordLength * recordLength;
        if (whole == length)
            return Status::success();
        if (const int error = m_calls.truncate(fd, whole))
            return failure(error);
        if (const int error = m_calls.syncData(fd))
            return failure(error);
        *cutBytes = length - whole;
        return Status::success();
    });
}

Status ResultFileWriter::whileLocked(const QString& path, const std::function<Status(int)>& work)
{
    m_lastWaitCount = 0;
    int fd = -1;
    if (const int error = resultFileOpen(m_calls, path, FileCalls::Access::ReadWrite, &fd))
        return failure(error);

    WholeFileLock lock(m_calls);
    for (;;) {
        const WholeFileLock::Outcome outcome = lock.tryLock(fd);
        if (outcome == WholeFileLock::Outcome::Locked)
            break;
        if (outcome == WholeFileLock::Outcome::Failed) {
            m_calls.closeFile(fd);
            return failure(lock.error());
        }
        ++m_lastWaitCount;
        m_sleeper.waitWhileEventsRun(kLockRetryMilliseconds);
    }

    Status status = work(fd);
    const int unlockError = lock.unlock(fd);
    const int closeError = m_calls.closeFile(fd);
    if (!status.ok())
        return status;
    if (unlockError)
        return failure(unlockError);
    if (closeError)
        return failure(closeError);
    return status;
}

Status ResultFileWriter::writeLocked(int fd, int recordLength,
                                     const std::function<QByteArray()>& makeRecord)
{
    qint64 length = 0;
    if (const int error = m_calls.fileSize(fd, &length))
        return failure(error);
    const qint64 recordNo = length / recordLength + 1;
    const qint64 offset = (recordNo - 1) * recordLength;
    const QByteArray record = makeRecord();
    if (record.size() != recordLength)
        return failure(EINVAL);

    int error = 0;
    for (qint64 written = 0; written < recordLength && !error;) {
        qint64 done = 0;
        error = m_calls.writeAt(fd, offset + written, record.constData() + written,
                                recordLength - written, &done);
        if (error == EINTR)
            error = 0;
        else if (!error && done == 0)
            error = EIO;
        written += done;
    }
    if (!error)
        error = m_calls.syncData(fd);
    if (error) {
        // Readers and the next writer must never meet half a record: take it back.
        m_calls.truncate(fd, length);
        m_calls.syncData(fd);
        return failure(error);
    }
    m_lastRecordNo = recordNo;
    return Status::success();
}
