#pragma once

#include "writing/stroketable.h"

#include <QString>

enum class Verdict { Accept, Near, Reject };

struct WritingGrade
{
    Verdict verdict = Verdict::Reject;
    QString reason;
    int stroke = 0; // the stroke a hint names, 1 for the first in school order; 0 when none
};

// "accept", "near" or "reject": the words the checking tool prints.
QString verdictName(Verdict verdict);

// Grades one handwritten kanji against its strokes in the table. The pupil's strokes may come in
// any box size; the ink is normalised to the model before anything is compared, so a kanji written
// small, off centre or slightly turned is judged by its shape alone.
//
// With checkOrder (「書き順も見る」) a right shape written in another order or with a reversed
// stroke is near, with a hint naming the stroke; without it, it is accepted. Order never makes a
// right kanji wrong.
WritingGrade gradeWriting(const Strokes& model, const Strokes& written, double writtenBox,
                          bool checkOrder);
