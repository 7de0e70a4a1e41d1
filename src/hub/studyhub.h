#pragma once

#include "hub/graphpanel.h"
#include "hub/rankings.h"
#include "hub/recordlists.h"
#include "platform/status.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class Clock;
class ExamDates;
class HubView;
class IdiomTable;
class PupilStudy;
class StudyCache;
class MessageBox;
class Records;
class ScreenNavigator;
struct SharedState;

// What the hub takes from above its folder.
struct StudyHubHooks
{
    // The printer and PDF files of the graph panel; left empty, the screen uses the system's.
    std::shared_ptr<GraphPaper> graphPaper;
    // The pupils' exam dates, for the plan under 「復習」 and the map; left empty, the hub plans
    // no exam and the map offers no date.
    std::shared_ptr<ExamDates> examDates;
};

// The services the hub uses. The records object computes the statistics; its file calls
// read the result file for the record lists.
struct StudyHubServices
{
    SharedState& state;
    ScreenNavigator& navigator;
    Records& records;
    const Clock& clock;
    MessageBox& messages;
    StudyCache& studies; // the pupils' studies, kept across the hub's activations
    StudyHubHooks hooks;
};

// The study hub `seisekitime1`: one column per drill item with its start button, goal,
// tallies and records list; the rankings and record lists; the start of a drill and the way
// back to the name selection screen.
class StudyHub
{
public:
    // Display kinds (Option2) and periods (Option1).
    enum DisplayKind { TimeDisplay = 0, PointsDisplay = 1, PersonalTimesDisplay = 2 };
    enum Period { FirstPeriod = 1, SecondPeriod = 2, AllRecordsPeriod = 3 };

    static constexpr int kFullWidthTwips = 14592;
    static constexpr int kColumnPitchTwips = 3456;
    static constexpr int kVisibleColumns = 4;

    StudyHub(StudyHubServices services, HubView& view);
    ~StudyHub();

    // Once, when the hub is shown after an unload: the columns and their fixed captions.
    void load();
    // Each time the hub becomes the current screen.
    void refreshHub();

    void openItem(int item);       // Command4(i) and the item keys
    void captionClicked(int item); // Label3(i)
    void back();                   // Command1 "戻る(0)" and key "0"
    void openReview();             // 「復習」 and key "r"
    // The 復習 button and its line afresh: also when the map, where the exam date is set, closes.
    void refreshReview();
    void openWriting(); // 「書き取り」 and key "w"
    // A key seen by the screen before its elements; true when the hub used or swallowed it.
    bool keyPressed(QChar key);
    void scrollMoved(int value); // HScroll1

    void displayKindChosen(int kind);                  // Option2(kind)
    void periodChosen(int period);                     // Option1(period)
    void gradeFilterChosen(const QString& filterText); // Combo1
    void recordsBoxChosen();                           // Combo2
    void rankingRequested(int item);                   // Command3(i) "成績表示"
    void graphRequested();                             // Command17 "グラフ"

    // What the hub holds, for the widget's first paint and for tests.
    bool hubBusy() const { return m_hubBusy; }
    ReportKind reportKind() const { return m_reportKind; }
    PointsPeriod pointsPeriod() const { return m_pointsPeriod; }
    int displayKind() const { return m_displayKind; }
    int period() const { return m_period; }
    const QString& gradeFilter() const { return m_gradeFilter; }
    const QStringList& listLines(int item) const;
    int columnPitchTwips() const;
    int scrollMaximum() const;
    bool scrollBarShown() const { return itemCount() >= kVisibleColumns + 1; }
    // The graph panel's inputs, filled by the personal-times view.
    const QStringList& graphPupilList() const { return m_graphPupils; }
    const QStringList& graphItemList() const { return m_graphItems; }
    int graphPupil() const { return m_graphPupil; }
    GraphPanel& graphPanel() { return m_graphPanel; }
    const GraphPanel& graphPanel() const { return m_graphPanel; }

private:
    int itemCount() const;
    bool isPractice(int item) const;
    QString goalLine(int item) const;
    QString recentLine(int item) const;
    void placeColumns();
    void updateTallies(int item);
    void updateFinalItemCleared();

    void setBackEnabled(bool enabled);
    void refreshWriting();
    enum class Drill { Test, Review, Writing };
    void leaveForDrill(Drill drill);
    void viewSwitchStarts(); // the common first part of both view handlers
    void viewSwitchEnds();   // what follows every view handler
    void rankEveryItem(bool advanceProgress);
    void showBestResults();
    void showRanking(int item);
    void setList(int item, const QStringList& lines, int scrollTo = -1);
    void clearLists();
    void showRecords(RecordView view);
    void noteRosterCap();

    SharedState& m_state;
    StudyHubServices m_services;
    HubView& m_view;
    RecordListReader m_recordLists;
    GraphPanel m_graphPanel;

    bool m_hubBusy = false;
    bool m_backEnabled = true;
    bool m_drillStarting = false;
    ReportKind m_reportKind = ReportKind::Points;
    PointsPeriod m_pointsPeriod = PointsPeriod::AllTime;
    bool m_setUp = false;
    int m_displayKind = PointsDisplay;
    int m_period = FirstPeriod;
    QString m_gradeFilter;
    bool m_rosterCapNoted = false;
    std::shared_ptr<const PupilStudy> m_study; // read once per activation
    bool m_reviewEnabled = false;
    bool m_writingEnabled = false;
    // Read at the first refresh: the hub is made afresh after every drill.
    std::unique_ptr<IdiomTable> m_idioms;
    Status m_idiomsLoaded;
    std::vector<bool> m_startEnabled;
    std::vector<QStringList> m_lists;
    QStringList m_graphPupils;
    QStringList m_graphItems;
    int m_graphPupil = 0;
};

inline const QString kBackCaption = QStringLiteral("戻る(0)");
// The 書き取り button when the drill cannot be offered at all.
inline const QString kWritingCaption = QStringLiteral("書き取り");
inline const QString kRecordsBoxEntry = QStringLiteral("　　今までの全成績");
inline const QString kAllRecordsCaption = QStringLiteral("すべて");
inline const QString kKeyHint = QStringLiteral("GRPH+A,B,C,D..でも選択できます。");
inline const QString kRosterCapTitle = QStringLiteral("名簿");
inline const QString kRosterCapText =
    QStringLiteral("名簿に載っている人が2000人を超えています。順位は名簿の初めから2000人までで"
                   "出します。");
