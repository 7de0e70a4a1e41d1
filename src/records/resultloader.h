#pragma once

#include "platform/filecalls.h"

#include <QString>

#include <vector>

class MessageBox;
class ProgramExit;
class Sleeper;
struct ResultTables;
struct SharedState;

// Reads the result file back: the best times of every pupil and item, and the newest
// results for the statistics.
//
// Only the last 20000 records are scanned, so the cost stays the same however long the file
// grows. Best times come from every scanned record; the newest 10001 valid records are
// loaded, so that today's results always count. A record whose pupil number is outside
// 1..5000 or whose item number is outside 1..35 is skipped everywhere.
class ResultLoader
{
public:
    static constexpr int kScanRecords = 20000;
    static constexpr int kUnreachableTries = 4;
    static constexpr int kUnreachableRetryMilliseconds = 5000;
    static constexpr int kRefusedRetries = 60;
    static constexpr int kRefusedRetryMilliseconds = 1000;

    ResultLoader(const SharedState& state, FileCalls& calls, Sleeper& sleeper, MessageBox& messages,
                 ProgramExit& exit);

    // Rebuilds the best times, hasRecords, highestItem and the loaded records. A folder that
    // cannot be reached is tried four times at five-second intervals; a read refused because
    // another machine holds the file is retried each second for a minute. Any failure after
    // that shows a message and ends the program.
    void loadResultRecords(ResultTables& tables);

private:
    enum Step { OpenStep = 1, LengthStep = 3, ReadStep = 4 };

    int openFile();
    // Reads the scanned tail into m_buffer; returns the number of whole records read.
    qint64 readTail(int fd);
    void fillTables(ResultTables& tables, qint64 records) const;
    [[noreturn]] void fail(Step step, int error, qint64 recordNo = 0);

    const SharedState& m_state;
    FileCalls& m_calls;
    Sleeper& m_sleeper;
    MessageBox& m_messages;
    ProgramExit& m_exit;
    std::vector<char> m_buffer;
    int m_fd = -1;
};
