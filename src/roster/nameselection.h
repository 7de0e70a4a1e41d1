#pragma once

#include "roster/pupillist.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

struct SharedState;
class Clock;
class DesktopLauncher;
class MessageBox;
class ProgramExit;
class PupilSummary;
class ScreenNavigator;
class SoundCues;

// What the name selection screen shows; the widget mirrors these calls.
class NameSelectionView
{
public:
    virtual ~NameSelectionView() = default;
    virtual void setTitle(const QString& contentName) = 0;         // Label4
    virtual void setFilterEntries(const QStringList& entries) = 0; // Combo1, first selected
    virtual void setDisplayMode(int mode) = 0;                     // Option1(mode)
    virtual void setRows(const QStringList& rows) = 0;             // List1
    virtual void selectRow(int row) = 0;                           // -1: none
    virtual void setChoiceText(const QString& text) = 0;           // Label1
    virtual void setChosenNumberText(const QString& text) = 0;     // Label2
    virtual void setStartButtonVisible(bool visible) = 0;          // Command14
    virtual void setPrintButtonVisible(bool visible) = 0;          // Command1
    virtual void setWaitPanelVisible(bool visible) = 0;            // Picture5
    virtual void focusList() = 0;
    // A message with an error sign (the second-instance warning).
    virtual void showErrorMessage(const QString& title, const QString& text) = 0;
};

// Windows that lie above this folder and are opened on request.
struct NameSelectionHooks
{
    std::function<void()> openPrintSettings; // "印刷"
    std::function<void()> openRosterEditor;  // "名前の変更"
    std::function<void()> showAbout;         // "バージョン情報"
    std::function<void()> openHelp;          // "目次"
};

// The services the screen uses.
struct NameSelectionServices
{
    SharedState& state;
    ScreenNavigator& navigator;
    SoundCues& sound;
    const Clock& clock;
    MessageBox& messages;
    ProgramExit& exit;
    DesktopLauncher& launcher;
    PupilSummary& summary;
    NameSelectionHooks hooks;
    // False when another copy of the program holds the single-instance lock.
    bool singleInstance = true;
};

// The name selection screen `namesel`: the grade-filtered, sorted pupil list with two summary
// columns per pupil, the choice of a pupil and the start of the study hub, and the menu
// actions (roster editing, printing, help, quitting).
class NameSelection
{
public:
    NameSelection(NameSelectionServices services, NameSelectionView& view);

    // Once, before the first activation.
    void load();
    // Each time the screen becomes the current one.
    void activate();

    void fillPupilList();

    // List1 and the screen's keys.
    void rowClicked(int row);
    void rowDoubleClicked(int row);
    void listKeyPressed(QChar key); // Enter is '\r'
    // A key seen by the screen before its elements; true when it was used.
    bool screenKeyPressed(QChar key);

    void displayModeChosen(int mode);
    void filterChosen(const QString& filterText);

    void start();            // Command14 "O.K."
    void quit();             // Command7 "終了", menu "終了", key "0"
    void print();            // Command1 "印刷"
    void editRoster();       // menu "名前の変更"
    void openHelp();         // menu "目次"
    void showAbout();        // menu "バージョン情報"
    void openMakerWebPage(); // menu "ホームページ"
    void writeContactMail(); // menu "お問い合わせ"

    // What the screen holds, for the widget's first paint and for tests.
    const QStringList& rows() const { return m_rows; }
    const QStringList& keys() const { return m_keys; }
    const QString& choiceText() const { return m_choiceText; }
    const QString& chosenNumberText() const { return m_chosenNumberText; }
    int displayMode() const { return m_displayMode; }
    const QString& filterText() const { return m_filterText; }
    bool startButtonVisible() const { return m_startButtonVisible; }
    bool quitButtonVisible() const { return m_quitButtonVisible; }

    QString programMenuPath() const;

private:
    void setChoiceText(const QString& text);
    void reportRosterProblem(const QString& problem, bool somePupilsRead);

    SharedState& m_state;
    NameSelectionServices m_services;
    NameSelectionView& m_view;

    QStringList m_rows; // List1, the separator first
    QStringList m_keys; // List3: key k belongs to row k + 1
    QString m_choiceText;
    QString m_chosenNumberText;
    int m_displayMode = TodayPointsAllPoints;
    QString m_filterText;
    bool m_startButtonVisible = true;
    bool m_quitButtonVisible = true;
    QString m_lastRosterProblem;
};

inline const QString kWindowCaption = QStringLiteral("lumora");
inline const QString kChooseNameText = QStringLiteral("名前を選びなさい");
inline const QString kSecondInstanceTitle = QStringLiteral("注意");
inline const QString kSecondInstanceText =
    QStringLiteral("このプログラムと同じプログラムがすでに起動され、完全に終了されていません。"
                   "同じプログラムを完全に終了させてから実行してください。");
inline const QString kRosterProblemTitle = QStringLiteral("名簿");
inline const QString kProgramMenuArgument = QStringLiteral("001");
inline const QString kMakerWebPage = QStringLiteral("https://www.example.com/sorawa/");
inline const QString kContactMail =
    QStringLiteral("mailto:support@example.com?subject=Sorawa%20%E3%81%8A%E5%95%8F%E3%81%84%E5%90%"
                   "88%E3%82%8F%E3%81%9B");

// The grade filter entries, in the order of the drop-down list.
QStringList gradeFilterEntries();
