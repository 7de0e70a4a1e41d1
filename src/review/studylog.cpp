#include "review/studylog.h"

#include "records/resultfilewriter.h"
#include "review/studylogrecord.h"

#include <QFileInfo>

Status StudyLogWriter::append(const QString& path, const StudyEvent& event)
{
    if (const QString reason = StudyLogRecord::invalidReason(event); !reason.isEmpty())
        return Status::failure(reason);
    const QByteArray record = StudyLogRecord::encode(event);
    ResultFileWriter writer(m_calls, m_sleeper);
    const Status status = writer.append(
        path, StudyLogRecord::kLength, [&] { return record; }, StudyLogRecord::header());
    if (status.code == ResultFileWriter::kWrongHeader)
        return Status::failure(path + QStringLiteral(" は別の形式の学習記録か、先頭がこわれて"
                                                     "いるため、書き足せません。"),
                               status.code);
    return status;
}

Status StudyLogReader::open(const QString& path)
{
    m_stream.emplace(StudyLogRecord::kLength);
    m_empty = !QFileInfo::exists(path);
    if (m_empty)
        return m_opened = Status::success();
    if (m_opened = m_stream->open(path); !m_opened.ok())
        return m_opened;
    // A file shorter than its header is a first append that died: an empty log.
    if (const char* header = m_stream->next())
        return m_opened = StudyLogRecord::checkHeader(header, path);
    return m_opened = m_stream->status();
}

const char* StudyLogReader::nextRawRecords(qint64* count)
{
    *count = 0;
    return m_empty || !m_opened.ok() ? nullptr : m_stream->nextRecords(count);
}

bool StudyLogReader::skipEvents(qint64 n)
{
    // The header is the stream's first record.
    return !m_empty && m_opened.ok() && m_stream->skipTo(n + 1);
}

const StudyLogEntry* StudyLogReader::next()
{
    const char* record = m_empty || !m_opened.ok() ? nullptr : m_stream->next();
    if (!record)
        return nullptr;
    m_entry.recordNo = m_stream->recordNo() - 1;
    m_entry.fault = StudyLogRecord::faultOf(record);
    m_entry.checksumOk = m_entry.fault.field != StudyLogRecord::Field::Checksum;
    m_entry.event = StudyLogRecord::decode(record);
    return &m_entry;
}

qint64 StudyLogReader::tornTailBytes() const
{
    return m_empty ? 0 : m_stream->tailLength();
}

Status StudyLogReader::status() const
{
    return m_empty || !m_opened.ok() ? m_opened : m_stream->status();
}
