#include "results/drillfinish.h"

#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/fieldreader.h"
#include "core/screennavigator.h"
#include "core/sharedstate.h"
#include "platform/events.h"
#include "records/mastery.h"
#include "records/records.h"
#include "sound/soundcues.h"

#include <cmath>

namespace {

constexpr qint32 kFirstUnrecordedResult = 99998; // 99999 is a time-over
constexpr qint16 kUnreachableCount = 9999;

QString countText(float count)
{
    return QString::number(static_cast<double>(count));
}

} // namespace

DrillFinish::DrillFinish(FinishServices services, FinishView& view)
    : m_state(services.state), m_services(services), m_view(view)
{
}

int DrillFinish::item() const
{
    // Index 0 holds nothing: a number outside the tables shows empty texts and zeros.
    return isValidItemNo(m_state.drillItemNo) ? m_state.drillItemNo : 0;
}

int DrillFinish::pupil() const
{
    return isValidPupilNo(m_state.pupilNo) ? m_state.pupilNo : 0;
}

QString DrillFinish::resultLine(qint32 result)
{
    if (result >= kFirstUnrecordedResult)
        return kNoRecordText;
    return QStringLiteral("今の成績：%1秒").arg(result);
}

QString DrillFinish::pointsLine(qint32 result, qint32 targetTime, float multiplier)
{
    // The same rule as the statistics, so the line always agrees with the tallies of the hub.
    const qint32 base = ResultStatistics::pointsFor(result, targetTime, 1.0f);
    const qint32 points = ResultStatistics::pointsFor(result, targetTime, multiplier);
    return QStringLiteral("獲得ポイント：%1点×%2→%3点")
        .arg(base)
        .arg(multiplierText(multiplier))
        .arg(points);
}

void DrillFinish::activate()
{
    m_activating = true;
    const ResultTables& tables = m_services.records.tables();
    const int i = item();
    const int p = pupil();

    // A first figure from the statistics as they were before this drill.
    m_view.setTodayItemText(countText(tables.todayCount.at(i, p) + 1));
    m_services.records.computeStatistics();

    m_mastered = recentlyMastered(m_state, tables, i, p);
    const bool finalItem = i != 0 && i == m_state.finalItemNo;
    if (m_mastered) {
        m_view.setLevelText(kLevelClearedText);
        m_view.setLevelVisible(true);
        if (finalItem) {
            // An item that cannot be mastered (9999 attempts) means there is no target level.
            bool targetLevel = true;
            for (int k = 1; k <= kMaxItemNo; ++k)
                targetLevel = targetLevel && m_state.itemRequiredCount[k] != kUnreachableCount;
            m_view.setTargetPanelVisible(targetLevel);
        }
    }

    letPendingEventsRun();
    m_view.startTimer1();

    m_view.setPointsText(
        pointsLine(m_state.drillResult, m_state.itemTargetTime[i], m_state.itemField5[i]));
    m_view.setResultText(resultLine(m_state.drillResult));
    m_view.setPupilName(trimBlanks(m_state.pupilName));
    m_view.setContentName(m_state.contentName);
    m_view.setItemName(m_state.itemName[i]);

    m_view.setTodayItemText(
        QStringLiteral(" (このレベル　%1回目)").arg(countText(tables.todayCount.at(i, p))));
    double total = 0;
    for (int k = 1; k <= kMaxItemNo; ++k)
        total = std::nearbyint(total + tables.todayCount.at(k, p));
    m_view.setTodayTotalText(QStringLiteral("（%1回目)").arg(total, 0, 'f', 0));

    letPendingEventsRun();
    presentMessageAndFanfare();

    if (m_mastered && finalItem) {
        if (m_state.itemMastered == 0)
            m_services.sound.playPassCue();
        else
            m_view.setTargetPanelVisible(false); // cleared before: no second congratulation
    }

    m_state.newPersonalBest = 0;
    m_state.newOverallBest = 0;
    letPendingEventsRun();
    m_services.navigator.setWaitFormVisible(false);

    m_activating = false;
    // A button pressed while a fanfare let events run is carried out now: leaving in the
    // middle of the activation would delete the screen under it.
    if (m_leaving != Leaving::No)
        leave(m_leaving);
}

void DrillFinish::presentMessageAndFanfare()
{
    if (m_state.drillRun.timeOver) {
        m_view.showMessage(kTimeOverText);
    } else if (m_state.newOverallBest == 1) {
        m_view.showMessage(kOverallBestText);
        letPendingEventsRun();
        m_services.sound.playTopCue();
        letPendingEventsRun();
    } else if (m_state.newPersonalBest == 1) {
        m_view.showMessage(kPersonalBestText);
        letPendingEventsRun();
        m_services.sound.playPersonalBestCue();
        letPendingEventsRun();
    } else if (m_state.drillResult <= m_state.itemLimitTime[item()]) {
        m_services.sound.playFailCue();
    }
}

bool DrillFinish::moveOnAdviceDue() const
{
    const ResultTables& tables = m_services.records.tables();
    const int i = item();
    const int p = pupil();
    const double countGoal = FieldReader::leadingNumber(m_state.itemText6[i]);
    const double pointsGoal = FieldReader::leadingNumber(m_state.itemText7[i]);
    return (countGoal != 0 && tables.recentCountB.at(i, p) >= countGoal) ||
           (pointsGoal != 0 && tables.recentPointsB.at(i, p) >= pointsGoal);
}

void DrillFinish::timer1Fired()
{
    m_view.stopTimer1();
    if (m_leaving != Leaving::No)
        return;
    m_view.setTargetPanelVisible(false);
    m_view.showMenuButton();

    bool offerAgain = true;
    if (moveOnAdviceDue() && m_mastered) {
        if (item() == m_state.finalItemNo) {
            m_view.setLevelText(QString());
            m_view.setLevelVisible(false);
        } else if (m_state.finalItemCleared == 0) {
            m_view.setLevelText(kMoveOnText);
            offerAgain = false;
        }
    }
    m_view.setAgainButtonVisible(offerAgain);
}

void DrillFinish::backToMenu()
{
    leave(Leaving::ToMenu);
}

void DrillFinish::again()
{
    leave(Leaving::Again);
}

void DrillFinish::leave(Leaving how)
{
    // One way out only: a second press, or the other button before the switch has happened,
    // would start a drill and show the hub at once.
    if (m_left || (m_leaving != Leaving::No && m_leaving != how))
        return;
    m_leaving = how;
    m_view.disableButtons();
    if (m_activating)
        return;
    m_left = true;
    if (how == Leaving::ToMenu)
        goToMenu();
    else
        startAgain();
}

void DrillFinish::goToMenu()
{
    // The switches are queued and run once this click has been handled; the hub is loaded
    // afresh and refreshes itself.
    m_services.navigator.show(ScreenId::Hub);
    m_services.navigator.unload(ScreenId::Finish);
}

void DrillFinish::startAgain()
{
    SharedState& state = m_state;
    ScreenNavigator& navigator = m_services.navigator;
    navigator.setWaitFormVisible(true);
    // The drill is asked for before this screen is closed: both switches are queued, so this
    // screen is deleted only after the click has been handled and the drill screen is up.
    startDrill(state, navigator);
    navigator.unload(ScreenId::Finish);
}
