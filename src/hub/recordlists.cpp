#include "hub/recordlists.h"

#include "core/blanks.h"
#include "core/grades.h"
#include "core/sharedstate.h"
#include "hub/hubtext.h"
#include "platform/clock.h"
#include "platform/daynumber.h"
#include "records/recordcodec.h"
#include "records/resultfiles.h"
#include "records/resultstatistics.h"

#include <algorithm>
#include <cerrno>

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

int RecordListReader::gradeNoOf(int pupil) const
{
    return m_state.schoolYear - m_state.birthYearByNo[pupil] - 6;
}

bool RecordListReader::listed(RecordView view, const ResultRecord& record,
                              const QString& gradeFilter, double today) const
{
    const int pupil = record.pupilNo;
    const int item = record.itemNo;
    if (!isValidPupilNo(pupil) || item < 1 || item > m_state.itemCount || !isValidItemNo(item))
        return false;
    if (!DayNumber::toDate(record.date).isValid() || !DayNumber::toTime(record.time).isValid())
        return false;
    switch (view) {
    case RecordView::Today:
        if (record.date != today)
            return false;
        break;
    case RecordView::AllRecords:
        if (!(record.date > today - kWindowDays))
            return false;
        break;
    case RecordView::PersonalTimes:
        if (!(record.date > today - kWindowDays) || pupil != m_state.pupilNo)
            return false;
        break;
    }
    return gradeMatchesFilter(gradeNoOf(pupil), gradeFilter) != 0;
}

QString RecordListReader::lineFor(RecordView view, const ResultRecord& record) const
{
    const QDate date = DayNumber::toDate(record.date);
    const QTime time = DayNumber::toTime(record.time);
    const bool failed = record.result >= kFailedFrom;
    if (view == RecordView::PersonalTimes) {
        const QString when = date.toString(QStringLiteral("yyyy/MM/dd")) + u' ' +
                             time.toString(QStringLiteral("H:mm:ss"));
        return failed ? when : when + HubText::resultColumn(record.result);
    }

    const int pupil = record.pupilNo;
    const QString mark =
        pupil == m_state.pupilNo ? QStringLiteral("●") : gradeMark(gradeNoOf(pupil));
    const QString name = HubText::nameColumn(trimBlanks(m_state.pupilNameByNo[pupil]));
    const QString when = view == RecordView::Today ? time.toString(QStringLiteral("HH:mm"))
                                                   : date.toString(QStringLiteral("MM/dd"));
    if (failed)
        return QStringLiteral("　　× ") + when + mark + name + mark;
    // The base points, before the item's multiplier.
    const qint32 points =
        ResultStatistics::pointsFor(record.result, m_state.itemTargetTime[record.itemNo], 1.0f);
    return HubText::resultColumn(record.result) + u' ' + when + mark + name + mark +
           QString::number(points);
}

RecordLists RecordListReader::read(RecordView view, const QString& gradeFilter,
                                   const Progress& progress) const
{
    RecordLists lists;
    const int itemCount = std::max<int>(0, std::min<int>(m_state.itemCount, kMaxItemNo));
    lists.byItem.resize(static_cast<size_t>(itemCount) + 1);

    OpenFile file(m_calls);
    if (const int error = resultFileOpen(m_calls, resultFilePath(m_state),
                                         FileCalls::Access::ReadOnly, &file.fd)) {
        file.fd = -1;
        lists.status = unreadable(error);
        return lists;
    }
    qint64 length = 0;
    if (const int error = m_calls.fileSize(file.fd, &length)) {
        lists.status = unreadable(error);
        return lists;
    }
    const qint64 all = length / kLength;
    const qint64 first =
        view != RecordView::Today && all > kNewestRecords ? all - kNewestRecords : 0;
    const qint64 maximum = static_cast<qint64>(static_cast<double>(all - first + 1) * 1.1);
    const double today = DayNumber::fromDate(m_clock.now().date());
    if (progress)
        progress(0, maximum);

    std::vector<char> chunk(static_cast<size_t>(kChunkRecords * kLength));
    qint64 next = first;
    while (next < all) {
        const qint64 wanted = std::min(kChunkRecords, all - next) * kLength;
        qint64 got = 0;
        while (got < wanted) {
            qint64 done = 0;
            const int error = m_calls.readAt(file.fd, next * kLength + got, chunk.data() + got,
                                             wanted - got, &done);
            if (error == EINTR)
                continue;
            if (error) {
                lists.byItem.assign(lists.byItem.size(), QStringList());
                lists.status = unreadable(error);
                return lists;
            }
            if (done == 0)
                break; // the file became shorter while it was read
            got += done;
        }
        const qint64 records = got / kLength;
        for (qint64 k = 0; k < records; ++k) {
            const ResultRecord record =
                RecordCodec::decodeResultNumbers(chunk.data() + static_cast<size_t>(k) * kLength);
            if (listed(view, record, gradeFilter, today))
                lists.byItem[static_cast<size_t>(record.itemNo)].append(lineFor(view, record));
        }
        next += records;
        if (progress)
            progress(next - first, maximum);
        if (got < wanted)
            break;
    }
    return lists;
}
