#pragma once

#include "hub/rankings.h"
#include "platform/filecalls.h"
#include "platform/status.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

class Clock;
struct ResultTables;
struct SharedState;

// One counted attempt of the panel pupil: when, and the time it took.
struct GraphAttempt
{
    double date = 0; // day number
    double time = 0; // fraction of the day
    qint32 seconds = 0;
};

// What the graph panel shows of one item for its pupil: the counted attempts of the chart and
// the values of the comparison table.
struct GraphItem
{
    static constexpr qint32 kNoTime = 99999;

    int item = 0;
    QString caption;
    qint32 targetTime = 0;

    std::vector<GraphAttempt> attempts; // oldest first
    qint64 sum = 0;
    qint32 largest = 0;
    // The counted attempts of every pupil on the item, for the average of all.
    qint64 everyoneCount = 0;
    qint64 everyoneSum = 0;

    qint32 ownBest = kNoTime;     // the pupil's best time
    qint32 overallBest = kNoTime; // the best time of all pupils
    int ownTimeRank = 0;          // 0: the pupil has no time to rank
    int ownPointsRank = 0;        // 0: the pupil is not ranked
    qint64 ownPoints = 0;         // all-time points
    int pupilsWithPoints = 0;     // listed pupils with all-time points above 0
    qint64 pointsSum = 0;         // their all-time points
};

// The page of one pupil: a block per chosen item, top to bottom.
struct GraphPage
{
    int pupil = 0;
    QString pupilLine; // grade label and name
    QString dateLine;  // the day the page was made
    std::vector<GraphItem> items;
    // A failure to read the result file leaves every chart empty; the page shows why.
    Status status;
};

struct GraphRequest
{
    int pupil = 0;
    std::vector<int> items; // top to bottom
    // The hub's grade group and points order, which the ranking twin follows.
    QString gradeFilter;
    PointsPeriod period = PointsPeriod::AllTime;
};

// Builds the graph panel's pages from the result file and the hub's tables.
class GraphDataReader
{
public:
    // Attempts of this many seconds or more stay off the chart and out of the table: they are
    // time-overs and abandoned drills, which would squash every real time to the axis.
    static constexpr qint32 kCountedBelowSeconds = 1800;

    GraphDataReader(const SharedState& state, const ResultTables& tables, FileCalls& calls,
                    const Clock& clock)
        : m_state(state), m_tables(tables), m_calls(calls), m_clock(clock)
    {
    }

    // Items outside 1..itemCount and a pupil outside 1..5000 give no blocks.
    GraphPage read(const GraphRequest& request) const;

private:
    void rank(GraphItem& block, const GraphRequest& request) const;

    const SharedState& m_state;
    const ResultTables& m_tables;
    FileCalls& m_calls;
    const Clock& m_clock;
};

// The comparison table under an item's chart, line by line.
QStringList graphTableLines(const GraphItem& item);
