#include "hub/resultscan.h"

#include "records/recordcodec.h"
#include "records/resultfiles.h"

#include <algorithm>
#include <cerrno>
#include <vector>

namespace {

constexpr int kLength = RecordCodec::kResultLength;
constexpr qint64 kChunkRecords = 512;

// Closes the file on every way out.
class OpenFile
{
public:
    explicit OpenFile(FileCalls& calls) : m_calls(calls) {}
    ~OpenFile()
    {
        if (fd >= 0)
            m_calls.closeFile(fd);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int fd = -1;

private:
    FileCalls& m_calls;
};

Status unreadable(int error)
{
    return Status::failure(kUnreadableResultFileText + QStringLiteral("（") +
                           FileCalls::errorText(error) + QStringLiteral("）"));
}

} // namespace

Status scanResultFile(FileCalls& calls, const QString& path, qint64 newest,
                      const std::function<void(const ResultRecord&)>& each,
                      const std::function<void(qint64 done, qint64 count)>& progress)
{
    OpenFile file(calls);
    if (const int error = resultFileOpen(calls, path, FileCalls::Access::ReadOnly, &file.fd)) {
        file.fd = -1;
        return unreadable(error);
    }
    qint64 length = 0;
    if (const int error = calls.fileSize(file.fd, &length))
        return unreadable(error);
    const qint64 all = length / kLength;
    const qint64 first = newest > 0 && all > newest ? all - newest : 0;
    if (progress)
        progress(0, all - first);

    std::vector<char> chunk(static_cast<size_t>(kChunkRecords * kLength));
    qint64 next = first;
    while (next < all) {
        const qint64 wanted = std::min(kChunkRecords, all - next) * kLength;
        qint64 got = 0;
        while (got < wanted) {
            qint64 done = 0;
            const int error = calls.readAt(file.fd, next * kLength + got, chunk.data() + got,
                                           wanted - got, &done);
            if (error == EINTR)
                continue;
            if (error)
                return unreadable(error);
            if (done == 0)
                break; // the file became shorter while it was read
            got += done;
        }
        const qint64 records = got / kLength;
        for (qint64 k = 0; k < records; ++k)
            each(RecordCodec::decodeResultNumbers(chunk.data() + static_cast<size_t>(k) * kLength));
        next += records;
        if (progress)
            progress(next - first, all - first);
        if (got < wanted)
            break;
    }
    return Status::success();
}
