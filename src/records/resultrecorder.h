#pragma once

#include "platform/status.h"

class Clock;
class MessageBox;
class ProgramExit;
class ResultFileWriter;
struct ResultTables;
struct SharedState;

// Records a finished timed drill: decides whether the item was already mastered, sets the
// flags for the finish screen, lowers the best times and appends the result to the result
// file and, in the home edition, to the home-use file.
class ResultRecorder
{
public:
    // Pupils with these numbers are written to the result file alone.
    static constexpr int kFirstUncopiedPupil = 4900;
    static constexpr int kLastUncopiedPupil = 5000;

    ResultRecorder(SharedState& state, ResultTables& tables, ResultFileWriter& writer,
                   const Clock& clock, MessageBox& messages, ProgramExit& exit)
        : m_state(state), m_tables(tables), m_writer(writer), m_clock(clock), m_messages(messages),
          m_exit(exit)
    {
    }

    // Appends one record for pupilNo, drillItemNo and drillResult (and the home-use copy).
    // A failure shows "成績ランダムファイル記録" with the system's text and ends the program.
    void appendResultRecord();

    // Called when a timed drill has ended, after drillResult is set. Only sets the flags
    // newPersonalBest and newOverallBest (the finish screen clears them); sets itemMastered
    // from the statistics computed before this drill. A pupil or item number outside the
    // tables writes nothing: it shows "Seisekikiroku" with the reason and ends the program.
    void recordResult(int itemNo);

private:
    [[noreturn]] void fail(const QString& text);

    SharedState& m_state;
    ResultTables& m_tables;
    ResultFileWriter& m_writer;
    const Clock& m_clock;
    MessageBox& m_messages;
    ProgramExit& m_exit;
};
