#include "hub/studyhub.h"

#include "core/blanks.h"
#include "core/catalogue.h"
#include "core/dayclock.h"
#include "core/screennavigator.h"
#include "core/sharedstate.h"
#include "drill/idiomtable.h"
#include "hub/hubview.h"
#include "platform/clock.h"
#include "platform/messagebox.h"
#include "records/mastery.h"
#include "records/records.h"
#include "review/sharedpupilsettings.h"
#include "review/examplan.h"
#include "review/pupilstudy.h"
#include "review/reviewtexts.h"
#include "review/studycache.h"
#include "review/studylog.h"
#include "roster/nameselection.h"
#include "roster/rosterreaders.h"
#include "writing/builtinstrokes.h"
#include "writing/writingdrill.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kPracticeTargetSeconds = 600;
constexpr qint32 kNoScoreGoal = 9999;

const QString kTodayHeading = QStringLiteral("今日");
const QString kAllTimeHeading = QStringLiteral("今まで");

} // namespace

StudyHub::StudyHub(StudyHubServices services, HubView& view)
    : m_state(services.state), m_services(std::move(services)), m_view(view),
      m_recordLists(m_state, m_services.records.fileCalls(), m_services.clock),
      m_graphPanel(m_state, m_services.records, m_services.clock, m_services.messages)
{
    m_graphPanel.setPaper(m_services.hooks.graphPaper.get());
}

StudyHub::~StudyHub() = default;

int StudyHub::itemCount() const
{
    return std::clamp<int>(m_state.itemCount, 0, kMaxItemNo);
}

bool StudyHub::isPractice(int item) const
{
    return isPracticeItem(m_state, item);
}

const QStringList& StudyHub::listLines(int item) const
{
    static const QStringList none;
    if (item < 1 || item >= static_cast<int>(m_lists.size()))
        return none;
    return m_lists[static_cast<size_t>(item)];
}

int StudyHub::columnPitchTwips() const
{
    const int count = itemCount();
    if (count == 0)
        return kFullWidthTwips;
    return count < kVisibleColumns + 1 ? kFullWidthTwips / count : kColumnPitchTwips;
}

int StudyHub::scrollMaximum() const
{
    return scrollBarShown() ? itemCount() - (kVisibleColumns - 1) : 1;
}

QString StudyHub::goalLine(int item) const
{
    const QString target =
        QStringLiteral("目標=") + QString::number(m_state.itemTargetTime[item]) + u'秒';
    if (m_state.itemRequiredScore[item] == kNoScoreGoal)
        return target + QStringLiteral(" --------");
    return target + u' ' + QString::number(m_state.itemRequiredCount[item]) +
           QStringLiteral("回/") + QString::number(m_state.itemRequiredScore[item]) +
           QStringLiteral("点(×") + multiplierText(m_state.itemField5[item]) + u')';
}

QString StudyHub::recentLine(int item) const
{
    const ResultTables& tables = m_services.records.tables();
    const int pupil = isValidPupilNo(m_state.pupilNo) ? m_state.pupilNo : 0;
    return QStringLiteral("最近") + m_state.itemText8[item] + QStringLiteral("日=") +
           QString::number(tables.recentCountA.at(item, pupil)) + QStringLiteral("回 / ") +
           QString::number(tables.recentPointsA.at(item, pupil)) + u'点';
}

void StudyHub::load()
{
    const int count = itemCount();
    m_startEnabled.assign(static_cast<size_t>(count) + 1, true);
    m_lists.assign(static_cast<size_t>(count) + 1, QStringList());
    // The hub starts from the group chosen on the name selection screen.
    m_gradeFilter =
        m_state.gradeFilterText.isEmpty() ? gradeFilterEntries().first() : m_state.gradeFilterText;

    m_view.createColumns(count);
    for (int i = 1; i <= count; ++i) {
        HubColumnTexts texts;
        texts.number = QString::number(i);
        texts.caption = m_state.itemName[i];
        texts.start = QStringLiteral("ｽﾀｰﾄ(&") + QString::number(i) + u')';
        texts.recent = recentLine(i);
        texts.goal = goalLine(i);
        m_view.setColumnTexts(i, texts);
    }
    m_view.setGradeFilter(gradeFilterEntries(), m_gradeFilter);
    m_view.setScrollBar(scrollBarShown(), 1, scrollMaximum());
    placeColumns();
}

void StudyHub::placeColumns()
{
    const int pitch = columnPitchTwips();
    std::vector<int> left(static_cast<size_t>(itemCount()) + 1, -1);
    for (int i = 1; i <= itemCount(); ++i) {
        const int position = (i - m_state.firstVisibleColumn) * pitch;
        left[static_cast<size_t>(i)] = position < 0 ? -1 : position;
    }
    m_view.placeColumns(pitch, left);
}

void StudyHub::scrollMoved(int value)
{
    m_state.firstVisibleColumn = std::clamp(value, 0, itemCount());
    placeColumns();
}

void StudyHub::refreshHub()
{
    ResultTables& tables = m_services.records.tables();

    m_graphPanel.setPrintAllowed(m_state.pupilName.contains(QStringLiteral("先生")));

    m_view.setMinutesLine(
        QStringLiteral("起動後") +
        QString::number(minutesSince(m_state.pupilStartTime, m_services.clock.now().time())) +
        u'分');

    m_hubBusy = false;
    // Back from a drill started by a caption click the hub is still loaded: it may start
    // drills again.
    m_drillStarting = false;
    m_view.setWaitProgressVisible(true);
    m_view.setWaitPanelVisible(true);
    m_view.repaintNow();

    m_view.setPeriodCaption(FirstPeriod, QStringLiteral("累計順"));
    m_view.setPeriodCaption(SecondPeriod, QStringLiteral("本日順"));
    m_services.navigator.unload(ScreenId::NameSelection);

    m_services.records.computeStatistics();

    const int pupil = isValidPupilNo(m_state.pupilNo) ? m_state.pupilNo : 0;
    float todaySum = 0;
    for (int i = 1; i <= kMaxItemNo; ++i)
        todaySum += tables.todayCount.at(i, pupil);
    const auto todayTotal = static_cast<qint16>(std::nearbyint(todaySum));
    m_view.setTodayTotalLine(QStringLiteral("本日総回数＝") + QString::number(todayTotal) + u'回');
    m_view.setProgress(0, itemCount());

    noteRosterCap();
    m_reportKind = ReportKind::Points;
    m_setUp = true;
    periodChosen(FirstPeriod);
    displayKindChosen(PointsDisplay);
    setBackEnabled(true);
    m_setUp = false;

    for (int i = 1; i <= itemCount(); ++i) {
        if (isPractice(i)) {
            m_state.itemTargetTime[i] = kPracticeTargetSeconds;
            m_state.itemLimitTime[i] = kPracticeTargetSeconds;
        } else {
            m_view.setListVisible(i, true);
        }
    }
    m_view.setRankingPanelVisible(false);

    m_view.setPupilLine(m_state.currentGradeLabel + u' ' + trimBlanks(m_state.pupilName));
    m_view.setSchoolLine(m_state.schoolName + u':' + QString::number(m_state.pupilNo));
    m_view.setTitle(m_state.contentName, m_state.contentName.size() > 9 ? 20 : 24);

    if (m_state.firstVisibleColumn == 0 || m_state.firstVisibleColumn > scrollMaximum())
        m_state.firstVisibleColumn = 1;
    m_view.setScrollValue(m_state.firstVisibleColumn);
    placeColumns();

    for (int i = 1; i <= itemCount(); ++i) {
        if (isPractice(i))
            m_view.setColumnDetailsVisible(i, false);
        m_startEnabled[static_cast<size_t>(i)] = true;
        m_view.setStartEnabled(i, true);
        updateTallies(i);
    }
    updateFinalItemCleared();
    refreshReview();
    refreshWriting();

    m_view.setWaitPanelVisible(false);
    m_view.setWaitProgressVisible(false);
    m_hubBusy = true;
}

void StudyHub::refreshReview()
{
    Status loaded;
    m_study = m_services.studies.study(m_state.commonFolder + QString::fromUtf8(kStudyLogFileName),
                                       m_state.pupilNo, &loaded);
    const QDate today = m_services.clock.now().date();
    ExamDates::Exam exam;
    if (m_services.hooks.examDates) {
        Status read;
        exam = m_services.hooks.examDates->exam(m_state.pupilNo, &read);
        if (!read.ok())
            m_services.messages.show(m_state.contentName, read.message);
    }
    // Which ranges are mastered is worked out only for a plan that will use it.
    const ExamPlan plan(today, exam.date, exam.setOn,
                        exam.date > today
                            ? masteredRanges(m_state, m_services.records.tables(), m_state.pupilNo)
                            : std::vector<bool>());
    ReviewOffer offer = ReviewTexts::offer(*m_study, today, exam.date, plan);
    if (!loaded.ok()) {
        offer.enabled = false;
        offer.line = loaded.message;
    }
    m_reviewEnabled = offer.enabled;
    m_view.setReviewOffer(offer);
}

void StudyHub::refreshWriting()
{
    const BuiltInStrokes& strokes = BuiltInStrokes::get();
    if (!m_idioms) {
        m_idioms = std::make_unique<IdiomTable>();
        m_idiomsLoaded = m_idioms->loadIdiomTable(m_state.programFolder + kIdiomDataFileName);
    }
    Status loaded = strokes.loaded.ok() ? m_idiomsLoaded : strokes.loaded;
    std::shared_ptr<const PupilStudy> written;
    if (loaded.ok())
        written =
            m_services.studies.study(m_state.commonFolder + QString::fromUtf8(kStudyLogFileName),
                                     m_state.pupilNo, &loaded, StudySkill::Write);
    ReviewOffer offer;
    if (loaded.ok()) {
        const QDate today = m_services.clock.now().date();
        offer = WritingPlanning::offer(
            WritingPlanning::plan(*m_idioms, *m_study, *written, strokes.table, today), *written,
            today);
    } else {
        offer.caption = kWritingCaption;
        offer.line = loaded.message;
    }
    m_writingEnabled = offer.enabled;
    m_view.setWritingOffer(offer);
}

void StudyHub::updateTallies(int item)
{
    const ResultTables& tables = m_services.records.tables();
    const int pupil = isValidPupilNo(m_state.pupilNo) ? m_state.pupilNo : 0;
    const float todayCount = tables.todayCount.at(item, pupil);
    const qint16 attempts = tables.attemptCount.at(item, pupil);
    const QString today = todayCount != 0
                              ? QString::number(todayCount) + QStringLiteral("回/") +
                                    QString::number(tables.todayPoints.at(item, pupil)) + u'点'
                              : QStringLiteral("-----");
    const QString allTime = attempts != 0
                                ? QString::number(attempts) + QStringLiteral("回/") +
                                      QString::number(tables.totalPoints.at(item, pupil)) + u'点'
                                : QStringLiteral("------");
    m_view.setTallies(item, today, allTime);
}

void StudyHub::updateFinalItemCleared()
{
    m_state.finalItemCleared =
        finalItemClearedFor(m_state, m_services.records.tables(), m_state.pupilNo);
}

void StudyHub::noteRosterCap()
{
    if (m_rosterCapNoted || m_state.listedPupilCount <= kMaxRankedPupils)
        return;
    m_rosterCapNoted = true;
    m_services.messages.show(kRosterCapTitle, kRosterCapText);
}

void StudyHub::openItem(int item)
{
    if (item < 1 || item > itemCount() || !m_startEnabled[static_cast<size_t>(item)])
        return;
    // The drill is being started; a second click that slips in while events run must not
    // start another.
    if (m_drillStarting)
        return;
    m_state.drillItemNo = static_cast<qint16>(item);
    leaveForDrill(Drill::Test);
}

void StudyHub::openReview()
{
    if (!m_reviewEnabled || m_drillStarting)
        return;
    leaveForDrill(Drill::Review);
}

void StudyHub::openWriting()
{
    if (!m_writingEnabled || m_drillStarting)
        return;
    leaveForDrill(Drill::Writing);
}

void StudyHub::leaveForDrill(Drill drill)
{
    m_drillStarting = true;
    m_view.setWaitPanelVisible(true);
    m_view.repaintNow();
    m_hubBusy = false;
    switch (drill) {
    case Drill::Test:
        startDrill(m_state, m_services.navigator);
        break;
    case Drill::Review:
        startReview(m_state, m_services.navigator);
        break;
    case Drill::Writing:
        m_services.navigator.show(ScreenId::Writing);
        break;
    }
    m_services.navigator.unload(ScreenId::Hub);
}

void StudyHub::captionClicked(int item)
{
    if (item < 1 || item > itemCount() || !m_startEnabled[static_cast<size_t>(item)] ||
        m_drillStarting)
        return;
    m_drillStarting = true;
    m_state.drillItemNo = static_cast<qint16>(item);
    startDrill(m_state, m_services.navigator);
}

void StudyHub::back()
{
    m_view.setWaitPanelVisible(true);
    m_view.repaintNow();
    m_services.navigator.show(ScreenId::NameSelection);
}

bool StudyHub::keyPressed(QChar key)
{
    // While the hub refreshes or starts a drill no key may reach it or its elements.
    if (!m_hubBusy)
        return true;
    int item = 0;
    if (key >= u'1' && key <= u'9')
        item = key.unicode() - u'0';
    else if (key >= u'a' && key <= u'd')
        item = key.unicode() - u'a' + 10;
    if (item != 0) {
        if (item > itemCount())
            return false;
        openItem(item);
        return true;
    }
    if (key.toLower() == u'r') {
        openReview();
        return true;
    }
    if (key.toLower() == u'w') {
        openWriting();
        return true;
    }
    if (key == u'0') {
        if (m_backEnabled)
            back();
        return true;
    }
    return false;
}

void StudyHub::setBackEnabled(bool enabled)
{
    m_backEnabled = enabled;
    m_view.setBackEnabled(enabled);
}

void StudyHub::viewSwitchStarts()
{
    m_view.setGraphButtonVisible(false);
    m_graphPanel.close();
    setBackEnabled(false);
    for (int i = 1; i <= itemCount(); ++i)
        m_view.setListVisible(i, false);
    m_view.setRankingPanelVisible(true);
}

void StudyHub::viewSwitchEnds()
{
    setBackEnabled(true);
    updateFinalItemCleared();
    for (int i = 1; i <= itemCount(); ++i) {
        if (!isPractice(i))
            m_view.setListVisible(i, true);
    }
    m_view.setRankingPanelVisible(false);
}

void StudyHub::displayKindChosen(int kind)
{
    if (kind < TimeDisplay || kind > PersonalTimesDisplay)
        return;
    m_displayKind = kind;
    m_view.selectDisplayKind(kind);
    viewSwitchStarts();
    if (m_setUp)
        return;
    switch (kind) {
    case TimeDisplay:
        m_view.setPeriodCaption(FirstPeriod, QStringLiteral("BEST表示"));
        m_view.setPeriodCaption(SecondPeriod, QStringLiteral("本日のみ"));
        m_view.setPeriodThreeEnabled(true);
        m_reportKind = ReportKind::Time;
        periodChosen(m_period);
        break;
    case PointsDisplay:
        m_view.setRecordsBoxVisible(false);
        m_view.setPeriodCaption(FirstPeriod, QStringLiteral("合計累計"));
        m_view.setPeriodCaption(SecondPeriod, QStringLiteral("合計本日"));
        m_view.setPeriodCaption(AllRecordsPeriod, kAllRecordsCaption);
        m_view.setPeriodThreeEnabled(true);
        m_reportKind = ReportKind::Points;
        if (m_period == FirstPeriod)
            m_pointsPeriod = PointsPeriod::AllTime;
        else if (m_period == SecondPeriod)
            m_pointsPeriod = PointsPeriod::Today;
        periodChosen(m_period);
        break;
    case PersonalTimesDisplay:
        m_view.setGraphButtonVisible(true);
        m_view.setRecordsBoxVisible(false);
        showRecords(RecordView::PersonalTimes);
        // The personal times are a list like the others: it must come back into view, and
        // the way back must open again.
        viewSwitchEnds();
        break;
    }
}

void StudyHub::periodChosen(int period)
{
    if (period < FirstPeriod || period > AllRecordsPeriod)
        return;
    m_period = period;
    m_view.selectPeriod(period);
    setBackEnabled(false);
    for (int i = 1; i <= itemCount(); ++i)
        m_view.setListVisible(i, false);
    m_view.setRankingPanelVisible(true);
    m_view.setRecordsBoxVisible(false);

    if (period == AllRecordsPeriod) {
        showRecords(RecordView::AllRecords);
    } else if (m_reportKind == ReportKind::Time) {
        if (period == FirstPeriod)
            showBestResults();
        else
            showRecords(RecordView::Today);
    } else {
        m_pointsPeriod = period == FirstPeriod ? PointsPeriod::AllTime : PointsPeriod::Today;
        m_view.setListHeading(period == FirstPeriod ? QStringLiteral("獲得ポイント（今まで順位）")
                                                    : QStringLiteral("獲得ポイント（今日の順位）"));
        rankEveryItem(true);
    }
    viewSwitchEnds();
}

void StudyHub::showBestResults()
{
    m_view.setListHeading(QStringLiteral("ベスト成績"));
    clearLists();
    for (int i = 1; i <= itemCount(); ++i) {
        if (isPractice(i))
            m_view.setColumnDetailsVisible(i, false);
        else
            showRanking(i);
    }
}

void StudyHub::rankEveryItem(bool advanceProgress)
{
    for (int i = 1; i <= itemCount(); ++i) {
        showRanking(i);
        if (advanceProgress) {
            m_view.setProgress(i, itemCount());
            m_view.repaintNow();
        }
    }
}

void StudyHub::showRanking(int item)
{
    m_view.setColumnHeadings(item, kTodayHeading, kAllTimeHeading);
    RankingRequest request;
    request.item = item;
    request.kind = m_reportKind;
    request.period = m_pointsPeriod;
    request.gradeFilter = m_gradeFilter;
    request.markedPupil = m_state.pupilNo;
    const Ranking ranking = rankItem(m_state, m_services.records.tables(), request);
    // The line above the pupil's own line goes to the top, so the pupil sees who is ahead.
    setList(item, ranking.lines, ranking.ownLine >= 0 ? ranking.ownLine - 1 : -1);
}

void StudyHub::rankingRequested(int item)
{
    if (item < 1 || item > itemCount())
        return;
    showRanking(item);
}

void StudyHub::setList(int item, const QStringList& lines, int scrollTo)
{
    m_lists[static_cast<size_t>(item)] = lines;
    m_view.setListLines(item, lines, scrollTo);
}

void StudyHub::clearLists()
{
    for (int i = 1; i <= itemCount(); ++i)
        setList(i, {});
}

void StudyHub::showRecords(RecordView view)
{
    for (int i = 1; i <= itemCount(); ++i)
        m_view.setColumnHeadings(i, kTodayHeading, kAllTimeHeading);
    clearLists();
    if (view == RecordView::PersonalTimes) {
        readRosterForHub(m_state, m_services.clock.now().date(), m_graphPupils);
        m_graphItems.clear();
        for (int i = 1; i <= itemCount(); ++i)
            m_graphItems.append(m_state.itemName[i]);
        m_graphPupil = m_state.pupilNo;
    }

    qint64 lastShown = -1;
    const RecordLists lists =
        m_recordLists.read(view, m_gradeFilter, [this, &lastShown](qint64 done, qint64 maximum) {
            m_view.setProgress(done, maximum);
            // Painting after every record would cost more than the reading.
            if (lastShown < 0 || done - lastShown >= 2000) {
                lastShown = done;
                m_view.repaintNow();
            }
        });

    QString heading;
    if (view == RecordView::Today)
        heading = QStringLiteral("本日の成績");
    else if (view == RecordView::PersonalTimes)
        heading = QStringLiteral("個人別ﾀｲﾑ");
    m_view.setListHeading(lists.status.ok() ? heading : lists.status.message);
    for (int i = 1; i <= itemCount() && i < static_cast<int>(lists.byItem.size()); ++i)
        setList(i, lists.byItem[static_cast<size_t>(i)]);
}

void StudyHub::gradeFilterChosen(const QString& filterText)
{
    m_gradeFilter = filterText;
    // The view that is selected is built again for the new group; the personal times keep
    // their kind instead of turning into a points ranking under the "個人ﾀｲﾑ" option.
    displayKindChosen(m_displayKind);
    m_view.focusFirstStart();
}

void StudyHub::recordsBoxChosen()
{
    if (m_period == AllRecordsPeriod)
        periodChosen(AllRecordsPeriod);
}

void StudyHub::graphRequested()
{
    m_graphPanel.open({m_graphPupils, m_graphItems, m_graphPupil, m_gradeFilter, m_pointsPeriod});
}
