#pragma once

#include "writing/writinggrader.h"
#include "writing/writingview.h"

#include <QDate>

#include <vector>

class IdiomTable;
class PupilStudy;
class StrokeTable;
class StudyRecorder;
struct ReviewOffer;

// The idioms one writing drill asks.
struct WritingPlan
{
    std::vector<DrillQuestion> questions;
    // Idioms the plan would have asked but left out: the stroke table lacks one of their kanji.
    int leftOut = 0;
};

namespace WritingPlanning {

inline constexpr int kMaxQuestions = 10;

// At most kMaxQuestions idioms of the table: first those due for writing (written is the pupil's
// writing study), least well remembered first; then idioms the pupil knows by tiles (chosen:
// answered and not due) but has never written, in range order and file order within a range.
WritingPlan plan(const IdiomTable& table, const PupilStudy& chosen, const PupilStudy& written,
                 const StrokeTable& strokes, const QDate& today);
// The hub's 「書き取り N問」 button and the line beside it.
ReviewOffer offer(const WritingPlan& plan, const PupilStudy& written, const QDate& today);
// The notice, shown once per drill, that some idioms cannot be written yet; empty when none.
QString leftOutNotice(const WritingPlan& plan);

} // namespace WritingPlanning

// One writing drill: asks each idiom's four kanji box by box, grades what is handed in, gives a
// hint after a near miss, shows the model after two failed tries and records each idiom in the
// study log under the writing drill.
class WritingDrill
{
public:
    // checkOrder: the pupil's 「書き順も見る」.
    WritingDrill(WritingView& view, StudyRecorder& recorder, const StrokeTable& strokes,
                 bool checkOrder);

    void start(std::vector<DrillQuestion> questions);
    // 「できた」 or Enter: the strokes of the current box, in a square box of boxSize.
    void handIn(const Strokes& strokes, double boxSize);

    bool finished() const;
    int questionNumber() const; // 1-based
    int currentBox() const;     // 0..3
    // The finish view's texts; written holds the answers of this drill.
    WritingSummary summary(const PupilStudy& written, const QDate& today) const;
};
