#pragma once

#include "review/reviewtexts.h"

#include <QString>

#include <array>

// Everything the drill screen shows, as the logic wants it shown. Element arrays keep the
// screen's own numbering: index 0 is unused, so kanaTiles[3] is Label15(3).
struct DrillDisplay
{
    static constexpr int kKanaTiles = 6;
    static constexpr int kKanjiTiles = 12;
    static constexpr int kAnswerSlots = 4; // Label10(1..4); 5..8 show the right idiom
    static constexpr int kFirstBox = 10;   // sPicture3(10..39)
    static constexpr int kLastBox = 39;
    static constexpr int kGaugeUnits = 600; // the width of sShape5 in the units below

    // Status panel.
    QString contentName; // sLabel2
    double contentPointSize = 16.8;
    QString pupilName;                        // sLabel7
    QString levelName;                        // sLabel8
    QString remaining = QStringLiteral("10"); // sLabel9
    QString elapsed = QStringLiteral("0");    // sLabel10
    QString levelCount;                       // sLabel11
    QString todayCount;                       // sLabel12
    QString minutes;                          // sLabel13
    QString schoolName;                       // sLabel14
    // Widths in gauge units, measured from the left of sShape5.
    int gaugeBar = 0;       // sShape2: the time gone
    int gaugeSecondBar = 0; // sShape7
    int targetMark = 0;     // sShape3: the target time
    int limitMark = 0;      // sShape4: the limit time
    std::array<bool, kLastBox + 1> boxVisible = allBoxes();
    bool clockRunning = false; // sTimer1

    // Question area.
    QString meaning; // Label9
    bool meaningLeftAligned = false;
    bool readingPanelVisible = false; // Picture2
    std::array<QString, kKanaTiles + 1> kanaTiles;
    bool readingOkVisible = false;                   // Command14
    QString readingLine;                             // Label1
    bool kanjiPanelVisible = false;                  // Picture4
    std::array<QString, kKanjiTiles + 1> kanjiTiles; // an empty tile is not shown
    bool kanjiTilesEnabled = true;
    std::array<QString, 2 * kAnswerSlots + 1> slotTexts; // Label10(1..8)
    bool slotsVisible = false;                           // Label10(1..4)
    bool okVisible = false;                              // Command3
    bool okEnabled = true;
    bool clearButtonsVisible = false; // Command6 "１文字クリア", Command2 "クリア"
    bool clearButtonsEnabled = true;
    bool hintVisible = false; // "音声ヒント"
    bool hintEnabled = true;
    bool noteVisible = false;       // Label5
    bool correctionVisible = false; // Picture3 with Label10(5..8)
    QString correctionReading;      // Label2
    bool nextVisible = false;       // Command4
    bool nextEnabled = false;

    // Practice walk.
    bool backVisible = false;         // Command8 "戻る"
    bool showAnswerVisible = false;   // Command11 "答えを見る"
    bool practiceNextVisible = false; // Command10 "次へ"
    bool memorisedVisible = false;    // Command9 "この問題覚えた"

    // Review drill: its way back, and the finish view that replaces the finish screen.
    bool reviewBackVisible = false;   // reviewBack 「戻る」
    bool reviewFinishVisible = false; // reviewFinish with 「メニューへ」
    ReviewSummary reviewSummary;

    // The closing panel sPicture2: lblsss2 "時間切れ" after a time-over, else lblsss1.
    bool closingVisible = false;
    bool closingTimeOver = false;

    bool operator==(const DrillDisplay&) const = default;

private:
    static std::array<bool, kLastBox + 1> allBoxes()
    {
        std::array<bool, kLastBox + 1> boxes{};
        for (int box = kFirstBox; box <= kLastBox; ++box)
            boxes[box] = true;
        return boxes;
    }
};

enum class DrillFocus { IdiomOk, Next, ReviewMenu };

// The drill screen as its logic sees it.
class DrillView
{
public:
    virtual ~DrillView() = default;
    // Shows the display; called whenever it has changed and before events are let run.
    virtual void showDisplay(const DrillDisplay& display) = 0;
    virtual void focusElement(DrillFocus element) = 0;
};
