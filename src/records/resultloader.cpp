#include "records/resultloader.h"

#include "core/sharedstate.h"
#include "platform/messagebox.h"
#include "platform/programexit.h"
#include "platform/sleeper.h"
#include "records/recordcodec.h"
#include "records/resultfiles.h"
#include "records/resulttables.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

constexpr int kLength = RecordCodec::kResultLength;

// The folder of the file is missing or its share has gone away.
bool isUnreachable(int error)
{
    return error == ENOENT || error == ENOTDIR || error == ESTALE || error == ENOTCONN ||
           error == EHOSTDOWN || error == EHOSTUNREACH || error == ETIMEDOUT;
}

// Another machine holds the file.
bool isRefused(int error)
{
    return error == EACCES || error == EAGAIN;
}

} // namespace

ResultLoader::ResultLoader(const SharedState& state, FileCalls& calls, Sleeper& sleeper,
                           MessageBox& messages, ProgramExit& exit)
    : m_state(state), m_calls(calls), m_sleeper(sleeper), m_messages(messages), m_exit(exit)
{
}

void ResultLoader::loadResultRecords(ResultTables& tables)
{
    m_fd = openFile();
    const qint64 records = readTail(m_fd);
    m_calls.closeFile(m_fd); // read only: nothing can be lost here
    m_fd = -1;
    fillTables(tables, records);
}

int ResultLoader::openFile()
{
    const QString path = resultFilePath(m_state);
    int unreachable = 0;
    int refused = 0;
    for (;;) {
        int fd = -1;
        const int error = resultFileOpen(m_calls, path, FileCalls::Access::ReadOnly, &fd);
        if (!error)
            return fd;
        if (isUnreachable(error)) {
            refused = 0;
            if (++unreachable >= kUnreachableTries) {
                m_messages.show(m_state.contentName,
                                QStringLiteral("ファイルがありません") + QString::number(OpenStep) +
                                    FileCalls::errorText(error) + QString::number(error));
                m_exit.exitProgram(1);
            }
            m_sleeper.waitWhileEventsRun(kUnreachableRetryMilliseconds);
        } else if (isRefused(error)) {
            unreachable = 0;
            if (++refused > kRefusedRetries)
                fail(OpenStep, error);
            m_sleeper.waitWhileEventsRun(kRefusedRetryMilliseconds);
        } else {
            fail(OpenStep, error);
        }
    }
}

qint64 ResultLoader::readTail(int fd)
{
    qint64 length = 0;
    if (const int error = m_calls.fileSize(fd, &length))
        fail(LengthStep, error);
    const qint64 all = length / kLength;
    const qint64 first = all > kScanRecords ? all - kScanRecords : 0;
    const qint64 wanted = (all - first) * kLength;
    m_buffer.resize(static_cast<size_t>(wanted));

    qint64 got = 0;
    int refused = 0;
    while (got < wanted) {
        qint64 done = 0;
        const int error =
            m_calls.readAt(fd, first * kLength + got, m_buffer.data() + got, wanted - got, &done);
        if (error == EINTR)
            continue;
        if (isRefused(error)) {
            if (++refused > kRefusedRetries)
                fail(ReadStep, error, first + got / kLength + 1);
            m_sleeper.waitWhileEventsRun(kRefusedRetryMilliseconds);
            continue;
        }
        if (error)
            fail(ReadStep, error, first + got / kLength + 1);
        if (done == 0)
            break; // the file became shorter while it was read
        refused = 0;
        got += done;
    }
    return got / kLength;
}

void ResultLoader::fillTables(ResultTables& tables, qint64 records) const
{
    tables.personalBest.fill(ResultTables::kNoTime);
    tables.overallBest.fill(ResultTables::kNoTime);
    tables.hasRecords.fill(0);
    tables.highestItem.fill(0);
    tables.loaded.clear();
    tables.loaded.reserve(ResultTables::kMaxLoaded);

    // Newest first, so that the newest loadable records are the ones kept.
    for (qint64 k = records - 1; k >= 0; --k) {
        const char* bytes = m_buffer.data() + static_cast<size_t>(k) * kLength;
        const ResultRecord record = RecordCodec::decodeResultNumbers(bytes);
        const int pupil = record.pupilNo;
        const int item = record.itemNo;
        if (!isValidPupilNo(pupil) || !isValidItemNo(item))
            continue;
        qint32& best = tables.personalBest.at(item, pupil);
        best = std::min(best, record.result);
        tables.overallBest[item] = std::min(tables.overallBest[item], record.result);
        tables.hasRecords[pupil] = 1;

        // A record without a real date is kept out of the lists, as the family's readers do.
        const bool loadable = std::isfinite(record.date) && record.date >= 0;
        if (!loadable || tables.loadedCount() >= ResultTables::kMaxLoaded)
            continue;
        tables.loaded.push_back({record.date, record.time, record.pupilNo, record.itemNo,
                                 record.result, RecordCodec::decodeResultValue(bytes)});
        tables.highestItem[pupil] = std::max<qint16>(tables.highestItem[pupil], record.itemNo);
    }
    std::reverse(tables.loaded.begin(), tables.loaded.end());
}

void ResultLoader::fail(Step step, int error, qint64 recordNo)
{
    if (m_fd >= 0) {
        m_calls.closeFile(m_fd);
        m_fd = -1;
    }
    const QString text = QStringLiteral("成績ランダムファイル表示") + QString::number(step) + u' ' +
                         QString::number(error) + u' ' + FileCalls::errorText(error) +
                         QStringLiteral("/date/i=") + QString::number(recordNo) +
                         QStringLiteral("/time=/name=/Bangou=/level=/time=line") +
                         QString::number(step);
    m_messages.show(m_state.contentName, text);
    m_exit.exitProgram(1);
    std::abort(); // exitProgram never returns; this only tells the compiler
}
