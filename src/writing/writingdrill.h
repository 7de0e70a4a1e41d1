#pragma once

#include "writing/writingview.h"

#include <QDate>
#include <QStringList>

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
// The idiom's four kanji, one character each even outside the basic plane; empty when the idiom
// is not four characters long or the stroke table cannot draw one of them.
QStringList writableKanji(const QString& idiom, const StrokeTable& strokes);

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

    // The questions of a plan; one the stroke table cannot draw is dropped, so that no box waits
    // for a kanji that can never be graded.
    void start(std::vector<DrillQuestion> questions);
    // The pupil ticked or cleared 「書き順も見る」: it holds from the next box handed in.
    void setCheckOrder(bool checkOrder) { m_checkOrder = checkOrder; }
    // 「できた」 or Enter: the strokes of the current box, in a square box of boxSize. After the
    // last idiom the view's showFinish gets the summary without its nextLine: that needs the
    // writing study read after this drill's answers, so the screen refreshes the pupil's study
    // and takes the whole summary from summary(written, today).
    void handIn(const Strokes& strokes, double boxSize);

    bool finished() const;
    int questionNumber() const; // 1-based
    int currentBox() const;     // 0..3
    // The finish view's texts; written holds the answers of this drill.
    WritingSummary summary(const PupilStudy& written, const QDate& today) const;

private:
    struct Answered
    {
        DrillQuestion question;
        int missedKanji = 0; // bit i: character i not accepted at the first try
    };

    void showQuestion();
    void firstTries(const Strokes& model, const Strokes& strokes, double boxSize);
    void trace(const Strokes& model, const Strokes& strokes, double boxSize);
    void nextBox();
    WritingSummary answeredSummary() const;

    WritingView& m_view;
    StudyRecorder& m_recorder;
    const StrokeTable& m_strokes;
    bool m_checkOrder;
    std::vector<DrillQuestion> m_questions;
    std::vector<Answered> m_answered;
    QStringList m_kanji; // of the idiom on screen
    int m_box = 0;
    int m_missedKanji = 0;
    int m_failedTries = 0;  // on the current box
    int m_failedTraces = 0; // of the model shown after two failed tries
};
