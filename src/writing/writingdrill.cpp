#include "writing/writingdrill.h"

#include "drill/studyrecorder.h"
#include "review/reviewtexts.h"
#include "writing/writinggrader.h"

#include <QSet>

#include <algorithm>

namespace {

constexpr int kBoxes = 4;
// Two tries from memory, then the model; a child who cannot trace the model either is not kept
// on the box.
constexpr int kTriesBeforeModel = 2;
constexpr int kMaxFailedTraces = 2;

} // namespace

WritingDrill::WritingDrill(WritingView& view, StudyRecorder& recorder, const StrokeTable& strokes,
                           bool checkOrder)
    : m_view(view), m_recorder(recorder), m_strokes(strokes), m_checkOrder(checkOrder)
{
}

void WritingDrill::start(std::vector<DrillQuestion> questions)
{
    std::erase_if(questions, [&](const DrillQuestion& q) {
        return WritingPlanning::writableKanji(q.idiom, m_strokes).isEmpty();
    });
    m_questions = std::move(questions);
    m_answered.clear();
    if (m_questions.empty())
        m_view.showFinish(answeredSummary());
    else
        showQuestion();
}

void WritingDrill::showQuestion()
{
    const DrillQuestion& question = m_questions[m_answered.size()];
    m_kanji = WritingPlanning::writableKanji(question.idiom, m_strokes);
    m_box = 0;
    m_missedKanji = 0;
    m_failedTries = 0;
    m_failedTraces = 0;
    m_view.showQuestion(question, questionNumber(), static_cast<int>(m_questions.size()));
    m_view.setCurrentBox(0);
    m_recorder.questionShown();
}

void WritingDrill::handIn(const Strokes& strokes, double boxSize)
{
    if (finished())
        return;
    const Strokes& model = *m_strokes.strokes(m_kanji[m_box]);
    if (m_failedTries < kTriesBeforeModel)
        firstTries(model, strokes, boxSize);
    else
        trace(model, strokes, boxSize);
}

void WritingDrill::firstTries(const Strokes& model, const Strokes& strokes, double boxSize)
{
    const Grade grade = gradeWriting(model, strokes, boxSize, m_checkOrder);
    if (grade.verdict == Verdict::Accept) {
        m_view.markAccepted(m_box);
        nextBox();
        return;
    }
    m_missedKanji |= 1 << m_box;
    if (++m_failedTries == kTriesBeforeModel) {
        m_view.showModel(m_box, model);
    } else if (grade.verdict == Verdict::Near) {
        m_view.showRetry(m_box, grade.reason, model, grade.stroke);
    } else {
        m_view.showRetry(m_box, QStringLiteral("もういちど書いてみよう"), model, 1);
    }
}

void WritingDrill::trace(const Strokes& model, const Strokes& strokes, double boxSize)
{
    // Tracing is copying the shape; the order was shown while the model was drawn.
    if (gradeWriting(model, strokes, boxSize, false).verdict == Verdict::Accept) {
        m_view.markAccepted(m_box);
        nextBox();
    } else if (++m_failedTraces == kMaxFailedTraces) {
        nextBox();
    } else {
        m_view.showModel(m_box, model);
    }
}

void WritingDrill::nextBox()
{
    m_failedTries = 0;
    m_failedTraces = 0;
    if (++m_box < kBoxes) {
        m_view.setCurrentBox(m_box);
        return;
    }
    const DrillQuestion& question = m_questions[m_answered.size()];
    m_recorder.idiomWritten(question, m_missedKanji);
    m_answered.push_back({question, m_missedKanji});
    if (finished())
        m_view.showFinish(answeredSummary());
    else
        showQuestion();
}

bool WritingDrill::finished() const
{
    return m_answered.size() == m_questions.size();
}

int WritingDrill::questionNumber() const
{
    return std::min(static_cast<int>(m_answered.size()) + 1, static_cast<int>(m_questions.size()));
}

int WritingDrill::currentBox() const
{
    return m_box;
}

WritingSummary WritingDrill::answeredSummary() const
{
    WritingSummary summary;
    summary.asked = static_cast<int>(m_answered.size());
    QSet<QString> listed;
    for (const Answered& answered : m_answered) {
        if (answered.missedKanji == 0)
            ++summary.rightFirstTry;
        const QStringList kanji =
            WritingPlanning::writableKanji(answered.question.idiom, m_strokes);
        for (int box = 0; box < kBoxes; ++box) {
            if ((answered.missedKanji & (1 << box)) && !listed.contains(kanji[box])) {
                listed.insert(kanji[box]);
                summary.missed.push_back(
                    {kanji[box], answered.question.idiom, answered.question.reading});
            }
        }
    }
    summary.firstTryLine =
        QStringLiteral("はじめから書けた熟語：%1/%2").arg(summary.rightFirstTry).arg(summary.asked);
    return summary;
}

WritingSummary WritingDrill::summary(const PupilStudy& written, const QDate& today) const
{
    WritingSummary summary = answeredSummary();
    summary.nextLine = ReviewTexts::nextLine(QStringLiteral("次の書き取り"), written, today);
    return summary;
}
