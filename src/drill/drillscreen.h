#pragma once

#include "core/screen.h"
#include "drill/drillengine.h"
#include "drill/drillview.h"

#include <array>

class QFrame;
class QLabel;
class QPushButton;
class QTimer;
class DrillTile;
class ReviewFinishView;
class TimeGauge;

// The drill screen `MainFrm`: the status panel with the time gauge above the question area
// (meaning, reading panel with six kana tiles, kanji panel with twelve tiles, answer slots,
// correction panel, practice buttons). It shows what its DrillEngine says and passes clicks,
// keys and timer ticks on; it decides nothing itself.
class DrillScreen : public Screen, private DrillView
{
    Q_OBJECT
public:
    explicit DrillScreen(DrillServices services, QWidget* parent = nullptr);
    ~DrillScreen() override;

    void activate() override;
    QString windowCaption() const override;

    DrillEngine& engine() { return m_engine; }

private:
    void showDisplay(const DrillDisplay& display) override;
    void focusElement(DrillFocus element) override;
    void keyPressEvent(QKeyEvent* event) override;

    QWidget* buildStatusPanel();
    QWidget* buildQuestionArea();
    QWidget* buildReadingPanel();
    QWidget* buildKanjiPanel();
    QWidget* buildCorrectionPanel();
    QWidget* buildPracticeButtons();
    QWidget* buildClosingPanel();
    QWidget* buildReviewFinish();
    void applyStatus(const DrillDisplay& d);
    void applyQuestion(const DrillDisplay& d);

    DrillEngine m_engine;
    QString m_contentName;

    // Status panel.
    QLabel* m_contentLabel = nullptr;    // sLabel2
    QLabel* m_pupilLabel = nullptr;      // sLabel7
    QLabel* m_levelLabel = nullptr;      // sLabel8
    QLabel* m_remainingLabel = nullptr;  // sLabel9
    QLabel* m_elapsedLabel = nullptr;    // sLabel10
    QLabel* m_levelCountLabel = nullptr; // sLabel11
    QLabel* m_todayCountLabel = nullptr; // sLabel12
    QLabel* m_minutesLabel = nullptr;    // sLabel13
    QLabel* m_schoolLabel = nullptr;     // sLabel14
    TimeGauge* m_gauge = nullptr;
    std::array<QFrame*, DrillDisplay::kLastBox + 1> m_boxes{}; // sPicture3(10..39)
    QTimer* m_clockTimer = nullptr;                            // sTimer1
    QTimer* m_minuteTimer = nullptr;                           // sTimer2

    // Question area.
    QLabel* m_meaning = nullptr;       // Label9
    QLabel* m_readingLine = nullptr;   // Label1
    QWidget* m_readingPanel = nullptr; // Picture2
    std::array<DrillTile*, DrillDisplay::kKanaTiles + 1> m_kanaTiles{};
    QPushButton* m_readingOk = nullptr; // Command14
    QWidget* m_kanjiPanel = nullptr;    // Picture4
    std::array<DrillTile*, DrillDisplay::kKanjiTiles + 1> m_kanjiTiles{};
    std::array<DrillTile*, 2 * DrillDisplay::kAnswerSlots + 1> m_slots{}; // Label10(1..8)
    QPushButton* m_ok = nullptr;                                          // Command3
    QPushButton* m_clearOne = nullptr;                                    // Command6
    QPushButton* m_clearAll = nullptr;                                    // Command2
    QPushButton* m_hint = nullptr;
    QLabel* m_note = nullptr;              // Label5
    QWidget* m_correctionPanel = nullptr;  // Picture3
    QLabel* m_correctionReading = nullptr; // Label2
    QPushButton* m_next = nullptr;         // Command4
    QWidget* m_practiceButtons = nullptr;
    QPushButton* m_back = nullptr;         // Command8
    QPushButton* m_showAnswer = nullptr;   // Command11
    QPushButton* m_practiceNext = nullptr; // Command10
    QPushButton* m_memorised = nullptr;    // Command9
    QWidget* m_closingPanel = nullptr;     // sPicture2
    QLabel* m_recording = nullptr;         // lblsss1
    QLabel* m_timeUp = nullptr;            // lblsss2

    // Review drill.
    QPushButton* m_reviewBack = nullptr; // reviewBack
    ReviewFinishView* m_reviewFinish = nullptr;
};
