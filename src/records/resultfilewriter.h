#pragma once

#include "platform/filecalls.h"
#include "platform/status.h"

#include <QByteArray>
#include <QString>

#include <functional>

class Sleeper;

// Appends fixed-length records to a record file that other processes and machines append
// to at the same time. The record number is computed under a whole-file lock from the
// current length, so every writer appends at the real end; the record is synced before the
// lock is released. An append lands whole or not at all: a failed write cuts the file back.
class ResultFileWriter
{
public:
    ResultFileWriter(FileCalls& calls, Sleeper& sleeper) : m_calls(calls), m_sleeper(sleeper) {}

    // Writes makeRecord() (called under the lock, so that it can take the current time) as
    // record (length / recordLength) + 1. A partial record at the end of the file, left by a
    // writer that died, is overwritten. While another process holds the lock it waits one
    // second, letting screen events run, and tries again. Any other failure comes back with
    // the system's error number and text.
    //
    // A file that starts with a header record (header not empty, recordLength bytes): the
    // first append writes the header and the record in one write; a later one refuses, with
    // kWrongHeader, a file whose first record is not that header.
    Status append(const QString& path, int recordLength,
                  const std::function<QByteArray()>& makeRecord, const QByteArray& header = {});

    // Cuts a partial record at the end of the file back to the last whole record, under the
    // same lock as append(), so that a record being written by another process is never taken
    // for a torn one. *cutBytes gets the number of bytes cut (0 when the file was whole).
    Status cutTornTail(const QString& path, int recordLength, qint64* cutBytes);

    // The record number of the last successful append (1 = the first record).
    qint64 lastRecordNo() const { return m_lastRecordNo; }
    // How many one-second waits the last append or cut took.
    int lastWaitCount() const { return m_lastWaitCount; }

    // The Status code of an append refused for a foreign header.
    static constexpr int kWrongHeader = -2;

private:
    // whileWholeFileLocked with this writer's file calls and sleeper.
    Status whileLocked(const QString& path, const std::function<Status(int fd)>& work);
    Status writeLocked(int fd, int recordLength, const std::function<QByteArray()>& makeRecord,
                       const QByteArray& header);
    Status checkHeader(int fd, const QByteArray& header);
    static Status failure(int error);

    FileCalls& m_calls;
    Sleeper& m_sleeper;
    qint64 m_lastRecordNo = 0;
    int m_lastWaitCount = 0;
};
