#pragma once

#include "writing/writingview.h"

#include <QFrame>

class QLabel;
class QPushButton;
class QVBoxLayout;

// The end of a writing drill (`writingFinish`): the idioms written whole at the first try, each
// kanji missed drawn stroke by stroke (1, 1–2, 1–3 …) so that the pupil sees its order, when the
// next writing drill falls due, 「メニューへ」 (`writingMenu`) and 「練習プリント」
// (`writingPrint`). It shows what it is given; the buttons only report their clicks.
class WritingFinishView : public QFrame
{
    Q_OBJECT
public:
    WritingFinishView(const StrokeTable& strokes, QWidget* parent = nullptr);

    void showSummary(const WritingSummary& summary);
    // Without a way to print, or with nothing missed, there is no practice sheet to make.
    void setPrintAvailable(bool available);
    QPushButton* menuButton() const { return m_menu; }

signals:
    void menuClicked();
    void printClicked();

private:
    const StrokeTable& m_strokes;
    QLabel* m_firstTry = nullptr;      // writingFirstTry
    QLabel* m_missedCaption = nullptr; // writingMissedCaption
    QWidget* m_missed = nullptr;       // writingMissed, one stroke-order row per kanji
    QVBoxLayout* m_missedRows = nullptr;
    QLabel* m_next = nullptr; // writingNext
    QPushButton* m_menu = nullptr;
    QPushButton* m_print = nullptr;
};
