#pragma once

#include <QString>

class QTime;
struct DrillDisplay;
struct ResultTables;
struct SharedState;

// The panel above the question area: who practises which item, today's attempts, the
// questions left, the time gone, and the gauge that fills towards five times the item's
// limit time, with the boxes that count down the last ten seconds before the target time
// and before the limit time.
class StatusPanel
{
public:
    // Fills the panel for the current pupil and item (`setUpStatusPanel`). now is the time of
    // day; tables hold today's counts as the statistics last computed them.
    void setUp(const SharedState& state, const ResultTables& tables, const QTime& now,
               DrillDisplay& display);
    // Fills the panel for a review: no time limit, no gauge, no counts of the catalogue.
    void setUpReview(const SharedState& state, const QTime& now, DrillDisplay& display);
    // Once a second, with the drill's elapsed seconds (`updateGauge`).
    void updateGauge(int elapsedSeconds, DrillDisplay& display) const;
    // Whole minutes since the pupil was chosen (`minuteTick`); a pupil chosen before midnight
    // still counts forward after it.
    static QString minutesSinceChosen(int pupilStartTime, const QTime& now);

    // Seconds allowed: five times the item's limit time.
    int timeLimit() const { return m_timeLimit; }
    bool timed() const { return m_timed; }

    static inline const QString kReviewName = QStringLiteral("復習");

private:
    void showWho(const SharedState& state, const QTime& now, DrillDisplay& display) const;

    bool m_timed = true;
    int m_targetTime = 0;
    int m_limitTime = 0;
    int m_timeLimit = 0;
    double m_gaugeScale = 0; // gauge units per second
};
