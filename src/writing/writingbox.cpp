#include "writing/writingbox.h"

#include "writing/strokedrawing.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QTabletEvent>
#include <QTimer>
#include <QTouchEvent>

namespace {

const QColor kCurrentFrame(0x0b, 0x6e, 0x6e);
const QColor kQuietFrame(0xa0, 0xa0, 0xa0);
const QColor kInk(0x1d, 0x1d, 0x1d);
const QColor kAcceptedInk(0x4a, 0x4a, 0x4a);
const QColor kModel(0xd0, 0xd0, 0xd0);
const QColor kFlash(0xe0, 0x5a, 0x00);
// The pupil's ink a little thinner than the model's, so that the model shows around it.
constexpr double kInkShare = 0.045;

} // namespace

WritingBox::WritingBox(int index, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("writingBox%1").arg(index + 1));
    setAccessibleName(QStringLiteral("%1文字目を書くところ").arg(index + 1));
    setFixedSize(kSide, kSide);
    setAttribute(Qt::WA_AcceptTouchEvents);
    // Enter, Backspace and Delete belong to the screen's buttons, never to a box.
    setFocusPolicy(Qt::NoFocus);
    setCursor(Qt::CrossCursor);

    m_modelTimer = new QTimer(this);
    m_modelTimer->setInterval(kModelStepMilliseconds);
    connect(m_modelTimer, &QTimer::timeout, this, [this] {
        if (!stepModel())
            m_modelTimer->stop();
    });
    m_flashTimer = new QTimer(this);
    m_flashTimer->setSingleShot(true);
    m_flashTimer->setInterval(kFlashMilliseconds);
    connect(m_flashTimer, &QTimer::timeout, this, &WritingBox::endFlash);
}

void WritingBox::setState(State state)
{
    m_state = state;
    m_penDown = false;
    update();
}

void WritingBox::takeBackStroke()
{
    if (m_ink.isEmpty() || !takesInk())
        return;
    m_ink.removeLast();
    m_penDown = false;
    update();
    emit inkChanged();
}

void WritingBox::clear()
{
    m_ink.clear();
    m_penDown = false;
    update();
    emit inkChanged();
}

void WritingBox::reset()
{
    m_model.clear();
    m_modelShown = 0;
    m_modelTimer->stop();
    endFlash();
    clear();
}

void WritingBox::showModel(const Strokes& model)
{
    reset();
    m_model = model;
    m_modelTimer->start();
}

bool WritingBox::stepModel()
{
    if (m_modelShown >= m_model.size())
        return false;
    ++m_modelShown;
    update();
    return true;
}

void WritingBox::showAllModelStrokes()
{
    m_modelTimer->stop();
    m_modelShown = static_cast<int>(m_model.size());
    update();
}

void WritingBox::flashStroke(const Strokes& model, int stroke)
{
    if (stroke < 1 || stroke > model.size())
        return;
    m_model = model;
    m_modelShown = 0;
    m_flashStroke = stroke - 1;
    m_flashTimer->start();
    update();
}

void WritingBox::endFlash()
{
    m_flashTimer->stop();
    if (m_flashStroke < 0)
        return;
    m_flashStroke = -1;
    update();
}

void WritingBox::penDown(const QPointF& point)
{
    if (!takesInk())
        return;
    // The hint has been seen: it would hide what the pupil writes now.
    endFlash();
    m_penDown = true;
    m_ink.append(Stroke{point});
    update();
}

void WritingBox::penMoved(const QPointF& point)
{
    if (!m_penDown)
        return;
    m_ink.last().append(point);
    update();
}

void WritingBox::penUp(const QPointF& point)
{
    if (!m_penDown)
        return;
    if (m_ink.last().last() != point)
        m_ink.last().append(point);
    m_penDown = false;
    update();
    emit inkChanged();
}

void WritingBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        penDown(event->position());
}

void WritingBox::mouseMoveEvent(QMouseEvent* event)
{
    penMoved(event->position());
}

void WritingBox::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        penUp(event->position());
}

void WritingBox::tabletEvent(QTabletEvent* event)
{
    // Taken here, the pen's move comes once: Qt makes no mouse event of it.
    switch (event->type()) {
    case QEvent::TabletPress:
        penDown(event->position());
        break;
    case QEvent::TabletMove:
        penMoved(event->position());
        break;
    case QEvent::TabletRelease:
        penUp(event->position());
        break;
    default:
        return;
    }
    event->accept();
}

bool WritingBox::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        // One finger writes; a second one resting on the screen is ignored.
        auto* touch = static_cast<QTouchEvent*>(event);
        if (touch->points().isEmpty())
            return true;
        const QPointF point = touch->points().first().position();
        if (event->type() == QEvent::TouchBegin)
            penDown(point);
        else if (event->type() == QEvent::TouchUpdate)
            penMoved(point);
        else
            penUp(point);
        event->accept();
        return true;
    }
    case QEvent::TouchCancel:
        takeBackStroke();
        return true;
    default:
        return QWidget::event(event);
    }
}

void WritingBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF box = QRectF(rect()).adjusted(2, 2, -2, -2);
    painter.fillRect(rect(), m_state == State::Accepted ? QColor(0xf2, 0xf2, 0xf2) : Qt::white);
    StrokeDrawing::drawGuide(painter, box, m_state == State::Current ? kCurrentFrame : kQuietFrame);
    if (m_state == State::Current) {
        // The box to write in stands out from the others by a wide frame.
        painter.setPen(QPen(kCurrentFrame, 4));
        painter.drawRect(QRectF(rect()).adjusted(2, 2, -2, -2));
    }
    if (m_modelShown > 0)
        StrokeDrawing::drawStrokes(painter, box, m_model, m_modelShown, kModel);
    if (m_flashStroke >= 0)
        StrokeDrawing::drawStrokes(painter, box, Strokes{m_model.at(m_flashStroke)}, 1, kFlash);

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(m_state == State::Accepted ? kAcceptedInk : kInk, width() * kInkShare,
                        Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (const Stroke& stroke : m_ink) {
        if (stroke.size() == 1) {
            painter.drawPoint(stroke.first());
            continue;
        }
        QPainterPath path(stroke.first());
        for (qsizetype i = 1; i < stroke.size(); ++i)
            path.lineTo(stroke.at(i));
        painter.drawPath(path);
    }
}
