#pragma once

#include "drill/drillquestions.h"
#include "review/missedkanji.h"
#include "writing/stroketable.h"

#include <QString>

#include <vector>

// What the finish view of a writing drill shows.
struct WritingSummary
{
    int asked = 0;
    int rightFirstTry = 0;           // idioms with all four kanji accepted at the first try
    QString firstTryLine;            // 「はじめから書けた熟語：7/10」
    std::vector<MissedKanji> missed; // in the order asked, each kanji once
    QString nextLine;                // 「次の書き取り：あした 5問」

    bool operator==(const WritingSummary&) const = default;
};

// What the writing screen shows; the widget mirrors these calls. Boxes are numbered 0..3.
class WritingView
{
public:
    virtual ~WritingView() = default;

    // A new question: its reading and meaning, 「3問目／10問」, four empty boxes.
    virtual void showQuestion(const DrillQuestion& question, int number, int count) = 0;
    // The box the pupil writes in now; its ink is cleared.
    virtual void setCurrentBox(int box) = 0;
    // The box's kanji was accepted: its ink stays, shown as done.
    virtual void markAccepted(int box) = 0;
    // 「もういちど」 with a hint; the box's ink is cleared. When flashStroke is 1 or more, that
    // stroke of the model flashes in the box (a first stroke shown, a stroke out of order).
    virtual void showRetry(int box, const QString& hint, const Strokes& model, int flashStroke) = 0;
    // After two failed tries: the kanji is drawn in the box stroke by stroke in school order, and
    // the pupil traces over it. After two traces that still fail, the drill goes on to the next
    // box without markAccepted: the model stays in this box.
    virtual void showModel(int box, const Strokes& model) = 0;
    // nextLine is empty: see WritingDrill::handIn.
    virtual void showFinish(const WritingSummary& summary) = 0;
};
