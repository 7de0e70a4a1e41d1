#pragma once

#include <QString>

struct SharedState;
class Records;
class ScreenNavigator;
class SoundCues;

// What the finish screen shows; the widget mirrors these calls.
class FinishView
{
public:
    virtual ~FinishView() = default;
    virtual void setTodayItemText(const QString& text) = 0;  // Label13
    virtual void setTodayTotalText(const QString& text) = 0; // Label14
    virtual void setContentName(const QString& text) = 0;    // Label15
    virtual void setItemName(const QString& text) = 0;       // Label16
    virtual void setPupilName(const QString& text) = 0;      // Label17
    virtual void setResultText(const QString& text) = 0;     // Label18
    virtual void setPointsText(const QString& text) = 0;     // Label19
    virtual void showMessage(const QString& text) = 0;       // Label20, shown with the text
    virtual void setLevelText(const QString& text) = 0;      // Label2
    virtual void setLevelVisible(bool visible) = 0;
    virtual void setTargetPanelVisible(bool visible) = 0; // Picture1 with Label1
    virtual void showMenuButton() = 0;                    // Command4, shown and focused
    virtual void setAgainButtonVisible(bool visible) = 0; // Command5
    virtual void disableButtons() = 0;                    // Command4 and Command5
    virtual void startTimer1() = 0;                       // one shot, 500 ms
    virtual void stopTimer1() = 0;
};

// The services the screen uses.
struct FinishServices
{
    SharedState& state;
    ScreenNavigator& navigator;
    SoundCues& sound;
    Records& records;
};

// The finish screen `FrmSyuuryou`: after a timed drill it shows the time and the points,
// plays the fanfare of a new record, tells whether the level or the target level is cleared,
// advises moving on, and offers "もう一度" and "メニューへ".
class DrillFinish
{
public:
    DrillFinish(FinishServices services, FinishView& view);

    // Each time the screen becomes the current one (once per drill: the screen is loaded afresh).
    void activate();
    // Timer1, 500 ms after the activation enabled it.
    void timer1Fired();
    void backToMenu(); // Command4 "メニューへ"
    void again();      // Command5 "もう一度"

    // The points line of a result: base points, multiplier and product, as the statistics
    // count them.
    static QString pointsLine(qint32 result, qint32 targetTime, float multiplier);
    // The result line: the time in seconds, or "記録なし" for a time-over.
    static QString resultLine(qint32 result);

    bool mastered() const { return m_mastered; }

private:
    enum class Leaving { No, ToMenu, Again };

    void presentMessageAndFanfare();
    void leave(Leaving how);
    void goToMenu();
    void startAgain();
    int item() const;
    int pupil() const;
    bool moveOnAdviceDue() const;

    SharedState& m_state;
    FinishServices m_services;
    FinishView& m_view;

    bool m_mastered = false;
    bool m_activating = false;
    Leaving m_leaving = Leaving::No;
    bool m_left = false;
};

inline const QString kLevelClearedText = QStringLiteral("このレベルクリア");
inline const QString kMoveOnText = QStringLiteral("次のレベルへ進みましょう");
inline const QString kTargetClearedText = QStringLiteral("目標レベルクリア。おめでとう！");
inline const QString kTimeOverText = QStringLiteral("時間切れ");
inline const QString kOverallBestText = QStringLiteral("！！！最高新記録！！！");
inline const QString kPersonalBestText = QStringLiteral("新記録おめでとう");
inline const QString kNoRecordText = QStringLiteral("記録なし");
