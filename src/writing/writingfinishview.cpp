#include "writing/writingfinishview.h"

#include "writing/strokedrawing.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

// A kanji's stroke order as in a school drill book: a row of small boxes, the first with stroke
// 1, the next with strokes 1–2, and so on, the newest stroke dark, the last box numbered.
class StrokeOrderRow : public QWidget
{
public:
    static constexpr int kBox = 56;
    static constexpr int kGap = 4;

    StrokeOrderRow(const Strokes& strokes, QWidget* parent) : QWidget(parent), m_strokes(strokes)
    {
        const int count = std::max<int>(1, static_cast<int>(strokes.size()));
        setFixedSize(count * (kBox + kGap), kBox);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        for (int shown = 1; shown <= m_strokes.size(); ++shown) {
            // Half a pixel in, so that the frame's right and bottom edges are drawn too.
            const QRectF box((shown - 1) * (kBox + kGap) + 0.5, 0.5, kBox - 1, kBox - 1);
            painter.fillRect(box, Qt::white);
            StrokeDrawing::drawGuide(painter, box, QColor(0xb0, 0xb0, 0xb0));
            StrokeDrawing::drawStrokes(painter, box, m_strokes, shown - 1,
                                       QColor(0x90, 0x90, 0x90));
            StrokeDrawing::drawStrokes(painter, box, Strokes{m_strokes.at(shown - 1)}, 1,
                                       QColor(0x1d, 0x1d, 0x1d));
        }
    }

private:
    Strokes m_strokes;
};

} // namespace

WritingFinishView::WritingFinishView(const StrokeTable& strokes, QWidget* parent)
    : QFrame(parent), m_strokes(strokes)
{
    setObjectName(QStringLiteral("writingFinish"));
    setAccessibleName(QStringLiteral("書き取りのけっか"));
    setStyleSheet(QStringLiteral(
        "#writingFinish { background: rgba(244, 241, 232, 245); border: 3px solid #0b6e6e;"
        " border-radius: 20px; }"
        "#writingFinish QLabel { color: #1d1d1d; font-size: 15pt; }"
        "#writingFinish QLabel#writingTitle { color: #0b6e6e; font-size: 32pt; font-weight: bold; }"
        "#writingFinish QLabel#writingFirstTry, #writingFinish QLabel#writingNext"
        " { font-size: 22pt; font-weight: bold; }"
        "#writingFinish QLabel#writingMissedCaption { font-size: 16pt; font-weight: bold; }"
        "#writingFinish QLabel.missedKanji { font-size: 30pt; }"
        "#writingFinish QPushButton { font-size: 20pt; font-weight: bold; min-height: 70px;"
        " min-width: 220px; }"));

    auto* title = new QLabel(QStringLiteral("書き取りおしまい"), this);
    title->setObjectName(QStringLiteral("writingTitle"));
    m_firstTry = new QLabel(this);
    m_firstTry->setObjectName(QStringLiteral("writingFirstTry"));
    m_missedCaption = new QLabel(QStringLiteral("書き順をたしかめよう"), this);
    m_missedCaption->setObjectName(QStringLiteral("writingMissedCaption"));
    m_next = new QLabel(this);
    m_next->setObjectName(QStringLiteral("writingNext"));

    // Ten idioms may leave many kanji to look at again: they scroll.
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("writingMissedArea"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    m_missed = new QWidget(scroll);
    m_missed->setObjectName(QStringLiteral("writingMissed"));
    m_missedRows = new QVBoxLayout(m_missed);
    m_missedRows->setContentsMargins(0, 0, 0, 0);
    m_missedRows->setSpacing(8);
    m_missedRows->addStretch();
    scroll->setWidget(m_missed);

    m_menu = new QPushButton(QStringLiteral("メニューへ"), this);
    m_menu->setObjectName(QStringLiteral("writingMenu"));
    m_menu->setAccessibleName(m_menu->text());
    m_menu->setProperty("primary", true);
    connect(m_menu, &QPushButton::clicked, this, &WritingFinishView::menuClicked);
    m_print = new QPushButton(QStringLiteral("練習プリント"), this);
    m_print->setObjectName(QStringLiteral("writingPrint"));
    m_print->setAccessibleName(m_print->text());
    m_print->setAccessibleDescription(QStringLiteral("まちがえた漢字の練習プリントを作ります"));
    connect(m_print, &QPushButton::clicked, this, &WritingFinishView::printClicked);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_print);
    buttons->addSpacing(24);
    buttons->addWidget(m_menu);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 32, 48, 32);
    layout->setSpacing(14);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(m_firstTry);
    layout->addWidget(m_missedCaption);
    layout->addWidget(scroll, 1);
    layout->addWidget(m_next);
    layout->addLayout(buttons);
}

void WritingFinishView::showSummary(const WritingSummary& summary)
{
    m_firstTry->setText(summary.firstTryLine);
    m_next->setText(summary.nextLine);
    for (QLabel* label : {m_firstTry, m_next})
        label->setAccessibleName(label->text());

    while (QLayoutItem* row = m_missedRows->takeAt(0)) {
        delete row->widget();
        delete row->layout();
        delete row;
    }
    int number = 0;
    for (const MissedKanji& missed : summary.missed) {
        ++number;
        auto* row = new QWidget(m_missed);
        row->setObjectName(QStringLiteral("missedKanji%1").arg(number));
        auto* line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        auto* kanji = new QLabel(missed.kanji, row);
        kanji->setProperty("class", QStringLiteral("missedKanji"));
        auto* idiom = new QLabel(missed.idiom + QStringLiteral("\n") + missed.reading, row);
        line->addWidget(kanji);
        line->addWidget(idiom);
        line->addSpacing(12);
        if (const Strokes* strokes = m_strokes.strokes(missed.kanji)) {
            auto* order = new StrokeOrderRow(*strokes, row);
            order->setAccessibleName(missed.kanji + QStringLiteral("の書き順"));
            line->addWidget(order);
        }
        line->addStretch();
        row->setAccessibleName(missed.kanji + QStringLiteral("（") + missed.idiom +
                               QStringLiteral("）"));
        m_missedRows->addWidget(row);
    }
    m_missedRows->addStretch();
    m_missedCaption->setVisible(!summary.missed.empty());
}

void WritingFinishView::setPrintAvailable(bool available)
{
    m_print->setEnabled(available);
}
