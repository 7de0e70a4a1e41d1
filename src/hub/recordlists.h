#pragma once

#include "hub/resultscan.h"
#include "platform/filecalls.h"
#include "platform/status.h"

#include <QStringList>
#include <QtGlobal>

#include <functional>
#include <vector>

class Clock;
struct ResultRecord;
struct SharedState;

// The three record lists of the hub, read straight from the result file: one line per
// attempt in the records list of the attempt's item, oldest first.
enum class RecordView {
    Today,        // today's results of the grade group
    AllRecords,   // every result of the last ten years (the newest 20000 records)
    PersonalTimes // the current pupil's own results of the last ten years
};

struct RecordLists
{
    // Lines per item 1..itemCount; index 0 holds nothing.
    std::vector<QStringList> byItem;
    // A failure leaves every list empty.
    Status status;
};

class RecordListReader
{
public:
    static constexpr int kWindowDays = 3650;
    static constexpr qint64 kNewestRecords = 20000;
    static constexpr qint32 kFailedFrom = 90000; // results from here on are failed attempts

    // Called now and then while the file is read: records read so far and the bar's maximum.
    using Progress = std::function<void(qint64 done, qint64 maximum)>;

    RecordListReader(const SharedState& state, FileCalls& calls, const Clock& clock)
        : m_state(state), m_calls(calls), m_clock(clock)
    {
    }

    // Builds the lists of one view for the grade group of gradeFilter. A record whose item
    // has no column or whose pupil number is outside 1..5000 is never listed.
    RecordLists read(RecordView view, const QString& gradeFilter, const Progress& progress) const;

    // The line of one record in a view.
    QString lineFor(RecordView view, const ResultRecord& record) const;

private:
    bool listed(RecordView view, const ResultRecord& record, const QString& gradeFilter,
                double today) const;
    int gradeNoOf(int pupil) const;

    const SharedState& m_state;
    FileCalls& m_calls;
    const Clock& m_clock;
};
