#pragma once

#include "writing/stroketable.h"

#include <QList>
#include <QPair>
#include <QString>

#include <random>

// How carefully the made-up pupil writes.
enum class Noise {
    Clean, // the table's strokes, densely sampled as a pen would report them
    // A careful pupil: tremor 1.2 % and wobble 1.5 % of the box, a turn of up to 3 degrees,
    // each axis scaled up to 4 %, each stroke moved 0.5 % and stretched 3 %, 10 % of points lost.
    Light,
    // A hurried one: tremor and wobble 3 %, up to 8 degrees, 10 % per axis, each stroke moved 1 %
    // and stretched 6 %, 40 % of points lost.
    Heavy,
};

// The one mistake a pupil makes, if any.
enum class Fault { None, SwappedPair, ReversedStroke, MissingStroke, ExtraDot };

// Seeded handwriting for the grader's tests and figures: the same seed writes the same strokes.
class WritingGenerator
{
public:
    explicit WritingGenerator(quint64 seed) : m_random(seed) {}

    // The kanji drawn in a square box of the given size, y down; empty when the fault cannot be
    // made on this kanji (no pair to swap in 一).
    Strokes write(const Strokes& model, Noise noise, Fault fault = Fault::None, double box = 300.0);

private:
    double uniform(double low, double high);
    double normal(double sigma);
    int index(qsizetype size);
    bool commit(Strokes& strokes, Fault fault);
    Stroke pen(const Stroke& stroke, Noise noise);

    std::mt19937_64 m_random;
};

// The look-alike pairs of tests/writing/lookalikes.txt.
QList<QPair<QString, QString>> loadLookalikes(const QString& path);
