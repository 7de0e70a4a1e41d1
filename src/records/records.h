#pragma once

#include "platform/filecalls.h"
#include "records/resultfilewriter.h"
#include "records/resultloader.h"
#include "records/resultrecorder.h"
#include "records/resultstatistics.h"
#include "records/resulttables.h"

#include <memory>

class Clock;
class MessageBox;
class ProgramExit;
class Sleeper;
struct SharedState;

// The records subsystem wired together, as main() makes it once and hands it to the screens:
// they call computeStatistics() when they become active and read tables(); the drill calls
// recorder().recordResult() when a timed drill ends.
class Records
{
public:
    // calls defaults to the real file system.
    Records(SharedState& state, const Clock& clock, Sleeper& sleeper, MessageBox& messages,
            ProgramExit& exit, FileCalls* calls = nullptr);

    void computeStatistics() { m_statistics.computeStatistics(); }
    qint32 pointsFor(qint32 result, int item) const { return m_statistics.pointsFor(result, item); }

    ResultTables& tables() { return *m_tables; }
    const ResultTables& tables() const { return *m_tables; }
    ResultStatistics& statistics() { return m_statistics; }
    ResultRecorder& recorder() { return m_recorder; }
    ResultLoader& loader() { return m_loader; }
    // The file calls the records use; readers of the result file share them.
    FileCalls& fileCalls() { return m_calls; }

private:
    PosixFileCalls m_posixCalls;
    FileCalls& m_calls;
    std::unique_ptr<ResultTables> m_tables;
    ResultFileWriter m_writer;
    ResultLoader m_loader;
    ResultStatistics m_statistics;
    ResultRecorder m_recorder;
};
