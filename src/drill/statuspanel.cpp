#include "drill/statuspanel.h"

#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/dayclock.h"
#include "core/sharedstate.h"
#include "drill/drillview.h"
#include "records/resulttables.h"

#include <QTime>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kLimitFactor = 5;
const QString kNoCount = QStringLiteral("－");

int gaugeWidth(double units)
{
    return std::clamp(static_cast<int>(units), 0, DrillDisplay::kGaugeUnits);
}

} // namespace

void StatusPanel::setUp(const SharedState& state, const ResultTables& tables, const QTime& now,
                        DrillDisplay& display)
{
    const int item = state.drillItemNo;
    m_targetTime = state.itemTargetTime[item];
    m_limitTime = state.itemLimitTime[item];
    m_timeLimit = kLimitFactor * m_limitTime;
    display.elapsed = QStringLiteral("0");
    m_gaugeScale = m_timeLimit > 0 ? double(DrillDisplay::kGaugeUnits) / m_timeLimit : 0.0;
    display.gaugeBar = 0;
    display.gaugeSecondBar = 0;
    display.targetMark = gaugeWidth(m_targetTime * m_gaugeScale);
    display.limitMark = gaugeWidth(m_limitTime * m_gaugeScale);

    showWho(state, now, display);
    display.levelName = state.itemName[item];

    if (isPracticeItem(state, item)) {
        display.levelCount = kNoCount;
        display.todayCount = kNoCount;
        return;
    }
    const int pupil = state.pupilNo;
    const bool known = isValidPupilNo(pupil);
    const double thisItem = known ? tables.todayCount.at(item, pupil) : 0.0;
    double allItems = 0;
    for (int k = 1; known && k <= kMaxItemNo; ++k)
        allItems = std::nearbyint(allItems + tables.todayCount.at(k, pupil));
    display.levelCount = QString::number(std::nearbyint(thisItem) + 1);
    display.todayCount = QString::number(allItems + 1);
}

void StatusPanel::setUpReview(const SharedState& state, const QTime& now, DrillDisplay& display)
{
    // Nothing to beat: the gauge stays empty and its countdown boxes away.
    m_timed = false;
    display.elapsed = QStringLiteral("0");
    display.targetMark = 0;
    display.limitMark = 0;
    display.boxVisible.fill(false);
    showWho(state, now, display);
    display.levelName = kReviewName;
    display.levelCount = kNoCount;
    display.todayCount = kNoCount;
}

void StatusPanel::showWho(const SharedState& state, const QTime& now, DrillDisplay& display) const
{
    display.contentName = state.contentName;
    display.contentPointSize = state.contentName.size() > 9 ? 14 : 16.8;
    display.pupilName = trimBlanks(state.pupilName);
    display.schoolName = state.schoolName;
    display.minutes = minutesSinceChosen(state.pupilStartTime, now);
}

void StatusPanel::updateGauge(int elapsedSeconds, DrillDisplay& display) const
{
    const int e = elapsedSeconds;
    if (!m_timed) {
        display.elapsed = QString::number(e);
        return;
    }
    const int t = m_targetTime;
    if (t - 9 <= e && e <= t) {
        for (int k = 0; k <= e - t + 9; ++k)
            display.boxVisible[30 + k] = false;
    }
    const int k = m_limitTime - e;
    if (k >= 0 && k <= 9)
        display.boxVisible[39 - k] = false;

    display.elapsed = QString::number(e);
    display.gaugeBar =
        e < m_timeLimit ? gaugeWidth(e * m_gaugeScale) : int(DrillDisplay::kGaugeUnits);
}

QString StatusPanel::minutesSinceChosen(int pupilStartTime, const QTime& now)
{
    return QString::number(minutesSince(pupilStartTime, now));
}
