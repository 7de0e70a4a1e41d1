#pragma once

#include "review/studyevent.h"
#include "review/studylog.h"

#include <QString>

class Clock;
class FileCalls;
class Sleeper;
class MessageBox;
struct DrillQuestion;
struct SharedState;

// Puts every answer of one drill into the study log. The seconds of a question run from the
// moment it is shown, on the monotonic clock. A log that cannot be written does not spoil the
// drill: the pupil is told once, and the drill goes on.
class StudyRecorder
{
public:
    StudyRecorder(const SharedState& state, const Clock& clock, MessageBox& messages,
                  FileCalls& calls, Sleeper& sleeper);

    void questionShown();
    void readingWrong() { ++m_wrongReadings; }
    void readingGivenAway() { m_readingGivenAway = true; }
    // The idiom of the question on screen was judged.
    StudyEvent idiomJudged(const DrillQuestion& question, StudyDrill drill, int itemNo, bool right);
    // An idiom of the writing drill done: missedKanji has bit i set when the idiom's character i
    // was not accepted at the first try; the idiom is right when none was missed.
    StudyEvent idiomWritten(const DrillQuestion& question, int missedKanji);
    // 「この問題覚えた」 in a practice walk.
    void struckAsKnown(const DrillQuestion& question, int itemNo);

    QString logPath() const;

private:
    StudyEvent event(const DrillQuestion& question, StudyDrill drill, int itemNo) const;
    void append(const StudyEvent& event);

    const SharedState& m_state;
    const Clock& m_clock;
    MessageBox& m_messages;
    StudyLogWriter m_writer;
    qint64 m_shownAt = 0;
    int m_wrongReadings = 0;
    bool m_readingGivenAway = false;
    bool m_failureShown = false;
};
