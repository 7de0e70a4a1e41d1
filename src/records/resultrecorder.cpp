#include "records/resultrecorder.h"

#include "core/sharedstate.h"
#include "platform/clock.h"
#include "platform/daynumber.h"
#include "platform/messagebox.h"
#include "platform/programexit.h"
#include "records/mastery.h"
#include "records/recordcodec.h"
#include "records/resultfiles.h"
#include "records/resultfilewriter.h"
#include "records/resulttables.h"

#include <cerrno>
#include <cstdlib>

void ResultRecorder::fail(const QString& text)
{
    m_messages.show(m_state.contentName, text);
    m_exit.exitProgram(1);
    std::abort(); // exitProgram never returns; this only tells the compiler
}

void ResultRecorder::appendResultRecord()
{
    ResultRecord record;
    record.pupilNo = m_state.pupilNo;
    record.itemNo = m_state.drillItemNo;
    record.result = m_state.drillResult;
    record.setSchoolCode(m_state.schoolCode);
    // The date and time are taken under the lock, when the record is really written.
    const auto stamped = [this, &record] {
        const QDateTime now = m_clock.now();
        record.date = DayNumber::fromDate(now.date());
        record.time = DayNumber::fromTime(now.time());
    };

    const QString errorTitle = QStringLiteral("成績ランダムファイル記録");
    Status status = m_writer.append(resultFilePath(m_state), RecordCodec::kResultLength, [&] {
        stamped();
        return RecordCodec::encodeResult(record);
    });
    if (!status.ok())
        fail(errorTitle + status.message);

    const int pupil = m_state.pupilNo;
    if (m_state.homeEdition != 1 || (pupil >= kFirstUncopiedPupil && pupil <= kLastUncopiedPupil))
        return;
    const QString programName = RecordCodec::homeProgramName(m_state.dataFolder);
    status = m_writer.append(homeResultFilePath(m_state), RecordCodec::kHomeLength, [&] {
        stamped();
        return RecordCodec::encodeHome(record, programName);
    });
    if (!status.ok())
        fail(errorTitle + status.message);
}

void ResultRecorder::recordResult(int itemNo)
{
    const int p = m_state.pupilNo;
    const int i = itemNo;
    const qint32 r = m_state.drillResult;
    if (!isValidPupilNo(p) || !isValidItemNo(i)) {
        // Such a record could never be read back; keep it out of the shared files.
        fail(QStringLiteral("Seisekikiroku") + QStringLiteral("生徒番号か項目番号が範囲外です") +
             QString::number(EINVAL));
    }

    m_state.itemMastered =
        itemMasteredBy(m_state, i, m_tables.attemptCount.at(i, p), m_tables.totalPoints.at(i, p))
            ? 1
            : 0;
    if (m_tables.personalBest.at(i, p) > r) {
        m_state.newPersonalBest = 1;
        m_tables.personalBest.at(i, p) = r;
    }
    appendResultRecord();
    if (m_tables.overallBest[i] > r) {
        m_tables.overallBest[i] = r;
        m_state.newOverallBest = 1;
    }
}
