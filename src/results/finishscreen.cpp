#include "results/finishscreen.h"

#include "core/buttonkeys.h"
#include "core/sharedstate.h"
#include "results/festivebackground.h"

#include <QGraphicsDropShadowEffect>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kTimer1Milliseconds = 500;

QFont sizedFont(int pointSize, bool bold = false)
{
    QFont font;
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QLabel* makeLabel(QWidget* parent, const QString& name, int pointSize, bool bold,
                  const QString& style = QString())
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(sizedFont(pointSize, bold));
    label->setAlignment(Qt::AlignCenter);
    if (!style.isEmpty())
        label->setStyleSheet(style);
    return label;
}

// An element that appears later keeps its place, so the texts above it do not jump.
void keepPlaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
    widget->hide();
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& caption,
                        const QString& colour, const QString& pressedColour)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(sizedFont(26, true));
    button->setMinimumSize(300, 84);
    button->setCursor(Qt::PointingHandCursor);
    button->setStyleSheet(
        QStringLiteral("QPushButton { background: %1; color: white; border: 3px solid white;"
                       " border-radius: 20px; padding: 8px 28px; }"
                       "QPushButton:focus { border: 4px solid #FFD54F; }"
                       "QPushButton:pressed { background: %2; }"
                       "QPushButton:disabled { background: #9E9E9E; }")
            .arg(colour, pressedColour));
    auto* shadow = new QGraphicsDropShadowEffect(button);
    shadow->setBlurRadius(14);
    shadow->setOffset(0, 4);
    shadow->setColor(QColor(0, 0, 0, 90));
    button->setGraphicsEffect(shadow);
    button->hide();
    return button;
}

} // namespace

FinishScreen::FinishScreen(FinishServices services, QWidget* parent)
    : Screen(parent), m_logic(services, *this), m_caption(services.state.contentName)
{
    setObjectName(QStringLiteral("FrmSyuuryou"));
    buildElements();
    connect(m_menu, &QPushButton::clicked, this, [this] { m_logic.backToMenu(); });
    letEnterPressButtons(this);
    connect(m_again, &QPushButton::clicked, this, [this] { m_logic.again(); });
    connect(m_timer1, &QTimer::timeout, this, [this] { m_logic.timer1Fired(); });
}

void FinishScreen::buildElements()
{
    m_background = new QLabel(this);
    m_background->setObjectName(QStringLiteral("Image1"));
    m_background->move(0, 0);
    m_background->lower();

    const QString ink = QStringLiteral("color: #0D3B66;");
    m_contentName = makeLabel(this, QStringLiteral("Label15"), 20, true, ink);
    m_itemName = makeLabel(this, QStringLiteral("Label16"), 30, true,
                           QStringLiteral("color: white; background: #00796B;"
                                          " border-radius: 14px; padding: 4px 24px;"));
    m_pupilName = makeLabel(this, QStringLiteral("Label17"), 28, true, ink);
    m_todayItem = makeLabel(this, QStringLiteral("Label13"), 18, false, ink);
    m_todayTotal = makeLabel(this, QStringLiteral("Label14"), 18, false, ink);

    auto* card = new QWidget(this);
    card->setObjectName(QStringLiteral("resultCard"));
    card->setAttribute(Qt::WA_StyledBackground);
    card->setStyleSheet(QStringLiteral("#resultCard { background: rgba(255, 255, 255, 225);"
                                       " border: 4px solid #FFB300; border-radius: 28px; }"));
    auto* cardShadow = new QGraphicsDropShadowEffect(card);
    cardShadow->setBlurRadius(24);
    cardShadow->setOffset(0, 6);
    cardShadow->setColor(QColor(0, 0, 0, 70));
    card->setGraphicsEffect(cardShadow);
    m_result =
        makeLabel(card, QStringLiteral("Label18"), 54, true, QStringLiteral("color: #1A237E;"));
    m_points =
        makeLabel(card, QStringLiteral("Label19"), 30, true, QStringLiteral("color: #BF360C;"));
    auto* cardLayout = new QVBoxLayout(card);
    cardLayout->setContentsMargins(36, 18, 36, 22);
    cardLayout->setSpacing(6);
    cardLayout->addWidget(m_result);
    cardLayout->addWidget(m_points);

    m_message =
        makeLabel(this, QStringLiteral("Label20"), 40, true, QStringLiteral("color: #D50000;"));
    keepPlaceWhenHidden(m_message);
    m_level = makeLabel(this, QStringLiteral("Label2"), 30, true,
                        QStringLiteral("color: white; background: #2E7D32;"
                                       " border: 3px solid #FFD54F; border-radius: 18px;"
                                       " padding: 6px 32px;"));
    m_level->setText(kLevelClearedText);
    keepPlaceWhenHidden(m_level);

    m_again = makeButton(this, QStringLiteral("Command5"), QStringLiteral("もう一度"),
                         QStringLiteral("#EF6C00"), QStringLiteral("#BF5500"));
    m_menu = makeButton(this, QStringLiteral("Command4"), QStringLiteral("メニューへ"),
                        QStringLiteral("#1565C0"), QStringLiteral("#0D47A1"));
    // The row keeps its height until the buttons come up; "もう一度" may stay away, and then
    // "メニューへ" stands in the middle.
    keepPlaceWhenHidden(m_menu);

    auto* header = new QHBoxLayout;
    header->addWidget(m_contentName, 2);
    header->addWidget(m_itemName, 3);
    header->addWidget(m_pupilName, 2);

    auto* counts = new QHBoxLayout;
    counts->addStretch();
    counts->addWidget(m_todayItem);
    counts->addSpacing(24);
    counts->addWidget(m_todayTotal);
    counts->addStretch();

    auto* cardRow = new QHBoxLayout;
    cardRow->addStretch(1);
    cardRow->addWidget(card, 8);
    cardRow->addStretch(1);

    auto* levelRow = new QHBoxLayout;
    levelRow->addStretch();
    levelRow->addWidget(m_level);
    levelRow->addStretch();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_again);
    buttons->addSpacing(48);
    buttons->addWidget(m_menu);
    buttons->addStretch();

    auto* content = new QVBoxLayout(this);
    content->setContentsMargins(32, 64, 32, 36);
    content->setSpacing(10);
    content->addLayout(header);
    content->addLayout(counts);
    content->addStretch(1);
    content->addLayout(cardRow);
    content->addStretch(1);
    content->addWidget(m_message);
    content->addLayout(levelRow);
    content->addStretch(1);
    content->addLayout(buttons);

    m_targetPanel = new QWidget(this);
    m_targetPanel->setObjectName(QStringLiteral("Picture1"));
    m_targetPanel->setAttribute(Qt::WA_StyledBackground);
    m_targetPanel->setStyleSheet(
        QStringLiteral("#Picture1 { background: qlineargradient(x1:0, y1:0, x2:0, y2:1,"
                       " stop:0 #FFF8E1, stop:1 #FFD54F); border: 6px solid #E65100;"
                       " border-radius: 30px; }"));
    m_targetPanel->setAccessibleName(kTargetClearedText);
    auto* targetText = makeLabel(m_targetPanel, QStringLiteral("Label1"), 36, true,
                                 QStringLiteral("color: #C62828;"));
    targetText->setText(kTargetClearedText);
    targetText->setWordWrap(true);
    auto* targetLayout = new QVBoxLayout(m_targetPanel);
    targetLayout->setContentsMargins(24, 12, 24, 12);
    targetLayout->addWidget(targetText);
    m_targetPanel->hide();

    m_timer1 = new QTimer(this);
    m_timer1->setObjectName(QStringLiteral("Timer1"));
    m_timer1->setSingleShot(true);
    m_timer1->setInterval(kTimer1Milliseconds);
}

void FinishScreen::resizeEvent(QResizeEvent* event)
{
    Screen::resizeEvent(event);
    m_background->setGeometry(rect());
    m_background->setPixmap(festiveBackground(size()));
    placeTargetPanel();
}

void FinishScreen::placeTargetPanel()
{
    // Below the result card, so the time and the points stay in sight.
    const QSize panel(qMin(width() - 80, 760), 124);
    m_targetPanel->setGeometry(
        QRect(QPoint((width() - panel.width()) / 2, height() * 51 / 100), panel));
    m_targetPanel->raise();
}

void FinishScreen::activate()
{
    m_logic.activate();
}

void FinishScreen::setTodayItemText(const QString& text)
{
    m_todayItem->setText(text);
}

void FinishScreen::setTodayTotalText(const QString& text)
{
    m_todayTotal->setText(text);
}

void FinishScreen::setContentName(const QString& text)
{
    m_contentName->setText(text);
}

void FinishScreen::setItemName(const QString& text)
{
    m_itemName->setText(text);
}

void FinishScreen::setPupilName(const QString& text)
{
    m_pupilName->setText(text);
}

void FinishScreen::setResultText(const QString& text)
{
    m_result->setText(text);
}

void FinishScreen::setPointsText(const QString& text)
{
    m_points->setText(text);
}

void FinishScreen::showMessage(const QString& text)
{
    m_message->setText(text);
    m_message->show();
}

void FinishScreen::setLevelText(const QString& text)
{
    m_level->setText(text);
}

void FinishScreen::setLevelVisible(bool visible)
{
    m_level->setVisible(visible);
}

void FinishScreen::setTargetPanelVisible(bool visible)
{
    placeTargetPanel();
    m_targetPanel->setVisible(visible);
}

void FinishScreen::showMenuButton()
{
    m_menu->show();
    m_menu->setFocus();
}

void FinishScreen::setAgainButtonVisible(bool visible)
{
    m_again->setVisible(visible);
}

void FinishScreen::disableButtons()
{
    m_menu->setEnabled(false);
    m_again->setEnabled(false);
}

void FinishScreen::startTimer1()
{
    m_timer1->start();
}

void FinishScreen::stopTimer1()
{
    m_timer1->stop();
}

void FinishScreen::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && clickIfShown(m_menu))
        event->accept();
    else
        Screen::keyPressEvent(event);
}
