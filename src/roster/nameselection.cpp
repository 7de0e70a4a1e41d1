#include "roster/nameselection.h"

#include "core/catalogue.h"
#include "core/dayclock.h"
#include "core/grades.h"
#include "core/screennavigator.h"
#include "core/sharedstate.h"
#include "platform/clock.h"
#include "platform/desktoplauncher.h"
#include "platform/events.h"
#include "platform/messagebox.h"
#include "platform/programexit.h"
#include "roster/pupilsummary.h"
#include "roster/rosterreaders.h"
#include "sound/soundcues.h"

QStringList gradeFilterEntries()
{
    return {QStringLiteral("全学年"), QStringLiteral("中学生全体"), QStringLiteral("小学生全体"),
            QStringLiteral("中３"),   QStringLiteral("中２"),       QStringLiteral("中１"),
            QStringLiteral("小６"),   QStringLiteral("小５"),       QStringLiteral("小４"),
            QStringLiteral("小３"),   QStringLiteral("小２"),       QStringLiteral("小１")};
}

NameSelection::NameSelection(NameSelectionServices services, NameSelectionView& view)
    : m_state(services.state), m_services(std::move(services)), m_view(view),
      m_filterText(gradeFilterEntries().first())
{
}

void NameSelection::load()
{
    m_view.setWaitPanelVisible(true);
    if (!m_services.singleInstance) {
        m_view.showErrorMessage(kSecondInstanceTitle, kSecondInstanceText);
        m_services.exit.exitProgram(1);
    }
    // The list is read before the first activation; a replacement of the roster left half done
    // is completed first, so that it does not show as a missing roster.
    recoverRosterFile(m_state.commonFolder);
    fillPupilList();
    m_view.setTitle(m_state.contentName);
    m_view.setWaitPanelVisible(false);
}

void NameSelection::activate()
{
    recoverRosterFile(m_state.commonFolder);
    m_view.selectRow(-1);
    m_view.setPrintButtonVisible(m_state.printEnabled == 1);
    // Back from the hub the start button must be there again.
    m_startButtonVisible = true;
    m_view.setStartButtonVisible(true);
    // The filter goes back to its first entry before the list is rebuilt, so the list and
    // the drop-down list always agree.
    m_filterText = gradeFilterEntries().first();
    m_state.gradeFilterText = m_filterText;
    m_view.setFilterEntries(gradeFilterEntries());
    m_displayMode = TodayPointsAllPoints;
    m_view.setDisplayMode(m_displayMode);
    fillPupilList();
    m_services.navigator.unload(ScreenId::Hub);
    setChoiceText(kChooseNameText);
    m_view.setWaitPanelVisible(false);
}

void NameSelection::fillPupilList()
{
    m_services.summary.computeStatistics();
    m_rows = QStringList{kSeparatorRow};
    m_keys.clear();

    std::vector<PupilRow> sorted;
    const Status status = readRosterForNameScreen(
        m_state, m_services.clock.now().date(), [&](const RosterEntry& entry) {
            sorted.push_back(makePupilRow(entry, m_state.schoolYear,
                                          m_services.summary.sumsFor(entry.pupilNo),
                                          m_displayMode));
        });
    if (status.code == kHomeEditionLimit) {
        m_services.messages.show(m_state.contentName, kHomeEditionLimitText);
        m_services.exit.exitProgram(1);
    }
    if (status.ok())
        m_lastRosterProblem.clear();
    else
        reportRosterProblem(status.message, !sorted.empty());

    sortPupilRows(sorted);
    for (const PupilRow& row : sorted) {
        if (gradeMatchesFilter(row.gradeNo, m_filterText) == 0)
            continue;
        m_rows.append(visibleRow(row));
        m_keys.append(keyItem(row));
    }
    m_view.setRows(m_rows);
    m_view.selectRow(0);
    rowClicked(0);
}

void NameSelection::reportRosterProblem(const QString& problem, bool somePupilsRead)
{
    // The list is rebuilt on every change of the options; one message per problem is enough.
    if (problem == m_lastRosterProblem)
        return;
    m_lastRosterProblem = problem;
    const QString consequence = somePupilsRead
                                    ? QStringLiteral("一覧には、その前の行までの名前だけが出ます。")
                                    : QStringLiteral("一覧には、だれの名前も出ません。");
    m_services.messages.show(kRosterProblemTitle,
                             problem + QStringLiteral("\n\n") + consequence +
                                 QStringLiteral("名簿を直してから、もう一度起動してください。"));
}

void NameSelection::setChoiceText(const QString& text)
{
    m_choiceText = text;
    m_view.setChoiceText(text);
}

void NameSelection::rowClicked(int row)
{
    if (row <= 0 || row >= m_rows.size()) {
        setChoiceText(kChooseNameText);
        return;
    }
    setChoiceText(trimBlanks(trimBlanks(m_rows.at(row)).left(10)));
    const QString& key = m_keys.at(row - 1);
    m_chosenNumberText = key.mid(key.lastIndexOf(u'*') + 1);
    m_view.setChosenNumberText(m_chosenNumberText);
}

void NameSelection::rowDoubleClicked(int row)
{
    rowClicked(row);
    if (row > 0 && row < m_rows.size()) {
        const QString trimmed = trimBlanks(m_rows.at(row));
        setChoiceText(trimmed.left(trimmed.indexOf(u'/')));
    }
    start();
}

void NameSelection::listKeyPressed(QChar key)
{
    if (key == u'\r' || key == u' ')
        start();
}

bool NameSelection::screenKeyPressed(QChar key)
{
    if (key == u'1' && m_startButtonVisible) {
        start();
        return true;
    }
    if (key == u'0' && m_quitButtonVisible) {
        quit();
        return true;
    }
    return false;
}

void NameSelection::displayModeChosen(int mode)
{
    if (mode < 0 || mode > AllPointsAllCount)
        return;
    m_displayMode = mode;
    fillPupilList();
}

void NameSelection::filterChosen(const QString& filterText)
{
    m_filterText = filterText;
    m_state.gradeFilterText = filterText;
    fillPupilList();
    m_view.focusList();
}

void NameSelection::start()
{
    // While the hub is being opened the start button is hidden; a second start would open it
    // twice.
    if (!m_startButtonVisible)
        return;
    const int pupilNo = m_chosenNumberText.toInt();
    if (m_choiceText == kChooseNameText || m_choiceText.isEmpty() || !isValidPupilNo(pupilNo)) {
        m_services.sound.playWrongCue();
        return;
    }
    m_state.pupilStartTime = wholeSecondsOfDay(m_services.clock.now().time());
    m_state.pupilNo = static_cast<qint16>(pupilNo);
    m_state.pupilName = m_state.pupilNameByNo[pupilNo];
    m_state.currentGradeLabel = m_state.gradeLabelByNo[pupilNo];
    m_startButtonVisible = false;
    m_view.setStartButtonVisible(false);
    m_view.setWaitPanelVisible(true);
    letPendingEventsRun();
    openCatalogue(m_state, m_services.navigator);
}

QString NameSelection::programMenuPath() const
{
    return m_state.programFolder + QStringLiteral("../起動/プログラムメニュー.exe");
}

void NameSelection::quit()
{
    // The family's program menu comes back; if it cannot be started the program ends all
    // the same.
    m_services.launcher.startProgram(programMenuPath(), {kProgramMenuArgument});
    m_services.exit.exitProgram(0);
}

void NameSelection::print()
{
    if (m_services.hooks.openPrintSettings)
        m_services.hooks.openPrintSettings();
}

void NameSelection::editRoster()
{
    if (m_services.hooks.openRosterEditor)
        m_services.hooks.openRosterEditor();
    m_services.navigator.unload(ScreenId::NameSelection);
}

void NameSelection::openHelp()
{
    if (m_services.hooks.openHelp)
        m_services.hooks.openHelp();
}

void NameSelection::showAbout()
{
    if (m_services.hooks.showAbout)
        m_services.hooks.showAbout();
}

void NameSelection::openMakerWebPage()
{
    m_services.launcher.openAddress(kMakerWebPage);
}

void NameSelection::writeContactMail()
{
    m_services.launcher.openAddress(kContactMail);
}
