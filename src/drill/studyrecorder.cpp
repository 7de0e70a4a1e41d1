#include "drill/studyrecorder.h"

#include "core/itemtables.h"
#include "core/sharedstate.h"
#include "drill/drillquestions.h"
#include "platform/clock.h"
#include "platform/messagebox.h"

#include <algorithm>

namespace {
constexpr int kMaxWrongReadings = 255;
constexpr int kMaxSeconds = 65535;
} // namespace

StudyRecorder::StudyRecorder(const SharedState& state, const Clock& clock, MessageBox& messages,
                             FileCalls& calls, Sleeper& sleeper)
    : m_state(state), m_clock(clock), m_messages(messages), m_writer(calls, sleeper)
{
}

QString StudyRecorder::logPath() const
{
    return m_state.commonFolder + QString::fromUtf8(kStudyLogFileName);
}

void StudyRecorder::questionShown()
{
    m_shownAt = m_clock.monotonicMilliseconds();
    m_wrongReadings = 0;
    m_readingGivenAway = false;
}

StudyEvent StudyRecorder::idiomJudged(const DrillQuestion& question, StudyDrill drill, int itemNo,
                                      bool right)
{
    StudyEvent answer = event(question, drill, itemNo);
    answer.wrongReadings = std::min(m_wrongReadings, kMaxWrongReadings);
    answer.readingGivenAway = m_readingGivenAway;
    answer.wrongIdiom = !right;
    append(answer);
    return answer;
}

StudyEvent StudyRecorder::idiomWritten(const DrillQuestion& question, int missedKanji)
{
    StudyEvent answer = event(question, StudyDrill::Writing, 0);
    answer.wrongReadings = missedKanji;
    answer.wrongIdiom = missedKanji != 0;
    append(answer);
    return answer;
}

void StudyRecorder::struckAsKnown(const DrillQuestion& question, int itemNo)
{
    StudyEvent strike = event(question, StudyDrill::Practice, itemNo);
    strike.struckAsKnown = true;
    append(strike);
}

StudyEvent StudyRecorder::event(const DrillQuestion& question, StudyDrill drill, int itemNo) const
{
    const QDateTime now = m_clock.now();
    StudyEvent e;
    e.date = now.date();
    e.secondOfDay = now.time().msecsSinceStartOfDay() / 1000;
    e.pupilNo = m_state.pupilNo;
    e.idiom = question.idiom;
    e.range = question.range;
    e.drill = drill;
    e.itemNo = itemNo;
    const qint64 seconds = (m_clock.monotonicMilliseconds() - m_shownAt) / 1000;
    e.seconds = static_cast<int>(std::clamp<qint64>(seconds, 0, kMaxSeconds));
    return e;
}

void StudyRecorder::append(const StudyEvent& event)
{
    // Nobody to keep a history for.
    if (!isValidPupilNo(event.pupilNo))
        return;
    const Status status = m_writer.append(logPath(), event);
    if (status.ok() || m_failureShown)
        return;
    m_failureShown = true;
    m_messages.show(m_state.contentName,
                    QStringLiteral("学習記録を書き込めませんでした。復習の記録は残りませんが、"
                                   "このまま続けられます。\n") +
                        status.message);
}
