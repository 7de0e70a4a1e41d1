#include "review/reviewfinishview.h"

#include "core/labels.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* makeLine(const QString& name, int pointSize, bool bold, QWidget* parent)
{
    QLabel* label = newLabel(name, pointSize, bold, parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::NoTextInteraction);
    return label;
}

} // namespace

ReviewFinishView::ReviewFinishView(QWidget* parent) : QFrame(parent)
{
    setObjectName(QStringLiteral("reviewFinish"));
    setAccessibleName(QStringLiteral("復習のけっか"));
    setStyleSheet(QStringLiteral(
        "#reviewFinish { background: rgba(244, 241, 232, 245); border: 3px solid #0b6e6e;"
        " border-radius: 20px; }"
        "#reviewFinish QLabel { color: #1d1d1d; }"
        "#reviewTitle { color: #0b6e6e; }"));

    QLabel* title = makeLine(QStringLiteral("reviewTitle"), 32, true, this);
    title->setText(QStringLiteral("復習おしまい"));
    m_firstTry = makeLine(QStringLiteral("reviewFirstTry"), 22, true, this);
    m_weakCaption = makeLine(QStringLiteral("reviewWeakCaption"), 16, true, this);
    m_weakCaption->setText(QStringLiteral("苦手な熟語"));
    m_weak = makeLine(QStringLiteral("reviewWeak"), 15, false, this);
    m_next = makeLine(QStringLiteral("reviewNext"), 22, true, this);

    m_menu = new QPushButton(QStringLiteral("メニューへ"), this);
    m_menu->setObjectName(QStringLiteral("reviewMenu"));
    m_menu->setAccessibleName(m_menu->text());
    QFont font = m_menu->font();
    font.setPointSizeF(20);
    font.setBold(true);
    m_menu->setFont(font);
    m_menu->setMinimumSize(220, 70);
    m_menu->setProperty("primary", true);
    connect(m_menu, &QPushButton::clicked, this, &ReviewFinishView::menuClicked);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(48, 32, 48, 32);
    layout->setSpacing(16);
    layout->addWidget(title, 0, Qt::AlignHCenter);
    layout->addWidget(m_firstTry);
    layout->addWidget(m_weakCaption);
    layout->addWidget(m_weak);
    layout->addWidget(m_next);
    layout->addStretch();
    layout->addWidget(m_menu, 0, Qt::AlignHCenter);
}

void ReviewFinishView::showSummary(const ReviewSummary& summary)
{
    m_firstTry->setText(summary.firstTryLine);
    m_weakCaption->setVisible(!summary.weakLines.isEmpty());
    m_weak->setVisible(!summary.weakLines.isEmpty());
    m_weak->setText(summary.weakLines.join(u'\n'));
    m_next->setText(summary.nextLine);
    for (QLabel* label : {m_firstTry, m_weak, m_next})
        label->setAccessibleName(label->text());
}
