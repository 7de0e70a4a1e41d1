#include "records/recordfilestream.h"

#include <algorithm>

namespace {

// Large enough that the system calls cost nothing next to the decoding, small enough to
// keep memory flat.
constexpr qint64 kChunkBytes = 1 << 20;

Status unreadable(const QFile& file)
{
    return Status::failure(file.fileName() + QStringLiteral(" を読めません（") +
                           file.errorString() + QStringLiteral("）。"));
}

} // namespace

Status RecordFileStream::open(const QString& path)
{
    m_file.setFileName(path);
    if (!m_file.exists())
        return m_status = Status::failure(path + QStringLiteral(" がありません。"));
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return m_status = unreadable(m_file);
    m_fileLength = m_file.size();
    m_wholeRecords = m_fileLength / m_recordLength;
    m_chunk.resize(
        static_cast<size_t>(std::max<qint64>(kChunkBytes / m_recordLength, 1) * m_recordLength));
    return m_status = Status::success();
}

bool RecordFileStream::fillChunk()
{
    const qint64 left = m_wholeRecords - m_recordNo;
    const qint64 wanted =
        std::min<qint64>(left * m_recordLength, static_cast<qint64>(m_chunk.size()));
    qint64 got = 0;
    while (got < wanted) {
        const qint64 done = m_file.read(m_chunk.data() + got, wanted - got);
        if (done < 0) {
            m_status = unreadable(m_file);
            return false;
        }
        if (done == 0)
            break; // shortened while it was read: what is there is all there is
        got += done;
    }
    m_chunkRecords = got / m_recordLength;
    m_inChunk = 0;
    if (m_chunkRecords == 0)
        m_wholeRecords = m_recordNo;
    return m_chunkRecords > 0;
}

bool RecordFileStream::haveRecords()
{
    // Most calls find their record in the chunk already read, and pay for one comparison.
    return m_inChunk < m_chunkRecords ||
           (m_status.ok() && m_file.isOpen() && m_recordNo < m_wholeRecords && fillChunk());
}

const char* RecordFileStream::next()
{
    if (!haveRecords())
        return nullptr;
    ++m_recordNo;
    return m_chunk.data() + static_cast<size_t>(m_inChunk++ * m_recordLength);
}

const char* RecordFileStream::nextRecords(qint64* count)
{
    *count = 0;
    if (!haveRecords())
        return nullptr;
    const char* first = m_chunk.data() + static_cast<size_t>(m_inChunk * m_recordLength);
    *count = m_chunkRecords - m_inChunk;
    m_recordNo += *count;
    m_inChunk = m_chunkRecords;
    return first;
}
