#include "hub/recordlists.h"

#include "core/blanks.h"
#include "core/grades.h"
#include "core/sharedstate.h"
#include "hub/hubtext.h"
#include "hub/resultscan.h"
#include "platform/clock.h"
#include "platform/daynumber.h"
#include "records/recordcodec.h"
#include "records/resultfiles.h"
#include "records/resultstatistics.h"

#include <algorithm>

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

    const double today = DayNumber::fromDate(m_clock.now().date());
    qint64 maximum = 0;
    lists.status = scanResultFile(
        m_calls, resultFilePath(m_state), view == RecordView::Today ? 0 : kNewestRecords,
        [&](const ResultRecord& record) {
            if (listed(view, record, gradeFilter, today))
                lists.byItem[static_cast<size_t>(record.itemNo)].append(lineFor(view, record));
        },
        [&](qint64 done, qint64 count) {
            if (done == 0)
                maximum = static_cast<qint64>(static_cast<double>(count + 1) * 1.1);
            if (progress)
                progress(done, maximum);
        });
    // A list cut short by a read error would look complete.
    if (!lists.status.ok())
        lists.byItem.assign(lists.byItem.size(), QStringList());
    return lists;
}
