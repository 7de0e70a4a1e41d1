#pragma once

#include "writing/stroketable.h"

#include <QList>
#include <QPair>
#include <QString>

// How the grader answered one kind of writing.
struct Tally
{
    int accepted = 0;
    int near = 0;
    int rejected = 0;
    int hinted = 0; // near with a hint naming a stroke: an order or direction hint

    int total() const { return accepted + near + rejected; }
    double share(int count) const { return total() ? 100.0 * count / total() : 0.0; }
};

// The grader's accuracy figures over a set of kanji, each kind of writing written `rounds` times.
struct WritingFigures
{
    Tally light;        // the right kanji, school order, light noise
    Tally heavy;        // the same, heavy noise
    Tally orderFree;    // one swapped pair or one reversed stroke, light noise, order not checked
    Tally orderChecked; // the same faults with 「書き順も見る」
    Tally lookalike;    // the look-alike partner written instead, light noise
    Tally lookalikeSameCount; // those of them with as many strokes as the expected kanji
    Tally missing;            // a stroke missing, light noise
    Tally extraDot;           // an extra dot, light noise
};

WritingFigures measureWriting(const StrokeTable& table, const QStringList& kanji,
                              const QList<QPair<QString, QString>>& lookalikes, int rounds,
                              quint64 seed);
