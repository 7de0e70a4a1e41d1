#pragma once

#include "platform/status.h"

#include <QFile>
#include <QString>
#include <QtGlobal>

#include <vector>

// Reads a record file front to back a chunk at a time, so that memory stays the same however
// long the file has grown. Unlike the program's own readers it never creates a missing file:
// tools that only look at an installation must leave it as they found it.
//
// Only the records that were whole when the file was opened are read; what lies beyond the
// last whole record then is the torn tail of a writer that died in the middle of a record.
class RecordFileStream
{
public:
    explicit RecordFileStream(int recordLength) : m_recordLength(recordLength) {}

    Status open(const QString& path);

    // The next whole record (recordLength bytes), or nullptr at the end or after a read error
    // (see status()). Valid until the next call.
    const char* next();
    // The whole records left in the chunk read last, or else in the next chunk: *count of them
    // from the returned pointer, nullptr at the end or after a read error. For readers that
    // look at a few bytes of millions of records. Valid until the next call.
    const char* nextRecords(qint64* count);

    // 1 for the first record; the number of the record next() last returned.
    qint64 recordNo() const { return m_recordNo; }
    qint64 wholeRecords() const { return m_wholeRecords; }
    qint64 tailOffset() const { return m_wholeRecords * m_recordLength; }
    qint64 tailLength() const { return m_fileLength - tailOffset(); }
    Status status() const { return m_status; }

private:
    bool haveRecords();
    bool fillChunk();

    int m_recordLength;
    QFile m_file;
    std::vector<char> m_chunk;
    qint64 m_chunkRecords = 0;
    qint64 m_inChunk = 0;
    qint64 m_recordNo = 0;
    qint64 m_wholeRecords = 0;
    qint64 m_fileLength = 0;
    Status m_status;
};
