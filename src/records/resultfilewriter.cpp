#include "records/resultfilewriter.h"

#include "platform/wholefilelock.h"

#include <cerrno>

Status ResultFileWriter::failure(int error)
{
    return Status::failure(FileCalls::errorText(error), error);
}

Status ResultFileWriter::append(const QString& path, int recordLength,
                                const std::function<QByteArray()>& makeRecord,
                                const QByteArray& header)
{
    return whileLocked(path,
                       [&](int fd) { return writeLocked(fd, recordLength, makeRecord, header); });
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
    return whileWholeFileLocked(m_calls, m_sleeper, path, work, &m_lastWaitCount);
}

Status ResultFileWriter::checkHeader(int fd, const QByteArray& header)
{
    QByteArray first(header.size(), '\0');
    for (qint64 got = 0; got < first.size();) {
        qint64 done = 0;
        const int error = m_calls.readAt(fd, got, first.data() + got, first.size() - got, &done);
        if (error == EINTR)
            continue;
        if (error)
            return failure(error);
        if (done == 0)
            break;
        got += done;
    }
    if (first != header)
        return Status::failure(QStringLiteral("ファイルの先頭が違う形式です。"), kWrongHeader);
    return Status::success();
}

Status ResultFileWriter::writeLocked(int fd, int recordLength,
                                     const std::function<QByteArray()>& makeRecord,
                                     const QByteArray& header)
{
    qint64 length = 0;
    if (const int error = m_calls.fileSize(fd, &length))
        return failure(error);
    const qint64 offset = length / recordLength * recordLength;
    QByteArray record = makeRecord();
    if (record.size() != recordLength || (!header.isEmpty() && header.size() != recordLength))
        return failure(EINVAL);
    if (!header.isEmpty()) {
        // An empty file, or one whose header a dying writer left torn, gets the header in the
        // same write as its first record: no reader ever sees a file without one.
        if (offset == 0)
            record.prepend(header);
        else if (const Status checked = checkHeader(fd, header); !checked.ok())
            return checked;
    }

    const qint64 size = record.size();
    int error = 0;
    for (qint64 written = 0; written < size && !error;) {
        qint64 done = 0;
        error = m_calls.writeAt(fd, offset + written, record.constData() + written, size - written,
                                &done);
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
    m_lastRecordNo = (offset + size) / recordLength;
    return Status::success();
}
