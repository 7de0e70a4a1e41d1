#pragma once

#include "writing/stroketable.h"

#include <QWidget>

class QTimer;

// One square of the writing drill (`writingBox1`..`writingBox4`): the 田 guide and the ink the
// pupil writes with a mouse, a pen or a finger, kept in the box's own pixels. Behind the ink it
// can show the model kanji, drawn stroke by stroke for tracing, or flash one stroke as a hint.
class WritingBox : public QWidget
{
    Q_OBJECT
public:
    enum class State {
        Waiting,  // not yet reached
        Current,  // the pupil writes here now
        Accepted, // done: the ink stays, the frame greys
    };

    static constexpr int kSide = 200;
    static constexpr int kModelStepMilliseconds = 400;
    static constexpr int kFlashMilliseconds = 1500;

    // index: 0 for the first kanji of the idiom.
    explicit WritingBox(int index, QWidget* parent = nullptr);

    State state() const { return m_state; }
    void setState(State state);

    const Strokes& strokes() const { return m_ink; }
    double boxSize() const { return width(); }
    // 「1画もどす」.
    void takeBackStroke();
    // 「けす」: the ink goes, a model to trace stays.
    void clear();
    // A new question or a new try: the ink, the model and the flash go.
    void reset();

    // The model appears one stroke a step, then stays light grey under the pupil's tracing.
    void showModel(const Strokes& model);
    // One more model stroke; false when every stroke was already shown.
    bool stepModel();
    void showAllModelStrokes();
    int modelStrokesShown() const { return m_modelShown; }

    // stroke: 1 for the first stroke of model. It shows in colour until the pupil writes or a
    // moment has passed.
    void flashStroke(const Strokes& model, int stroke);
    void endFlash();
    bool flashing() const { return m_flashStroke >= 0; }

    QSize sizeHint() const override { return {kSide, kSide}; }

signals:
    void inkChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void tabletEvent(QTabletEvent* event) override;

private:
    // The three ways of writing end here, whichever device moved.
    void penDown(const QPointF& point);
    void penMoved(const QPointF& point);
    void penUp(const QPointF& point);
    bool takesInk() const { return m_state == State::Current; }

    State m_state = State::Waiting;
    Strokes m_ink;
    bool m_penDown = false;
    Strokes m_model;
    int m_modelShown = 0;
    int m_flashStroke = -1; // index into m_model, -1 when nothing flashes
    QTimer* m_modelTimer = nullptr;
    QTimer* m_flashTimer = nullptr;
};
