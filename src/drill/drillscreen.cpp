#include "drill/drillscreen.h"

#include "core/sharedstate.h"
#include "drill/drillaccessibility.h"
#include "drill/drillkeys.h"
#include "drill/drilltile.h"
#include "drill/timegauge.h"
#include "review/reviewfinishview.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

const QString kMinchoFamily = QStringLiteral("IPAMincho");
const QString kGothicFamily = QStringLiteral("IPAPGothic");

constexpr int kClockInterval = 1000; // sTimer1
constexpr int kWhoWidth = 190;       // sLabel2 and sLabel14
constexpr int kPupilNameWidth = 170; // sLabel7
constexpr double kPupilNameSize = 20;
constexpr double kSmallestNameSize = 12;
constexpr int kMinuteInterval = 10000; // sTimer2

// One look for the whole screen; elements are picked by name or by their "role".
const char* const kStyleSheet = R"(
#MainFrm { background: #f4f1e8; }
#statusPanel { background: #0b6e6e; border-radius: 12px; }
#statusPanel QLabel { color: white; }
QFrame[cell="true"] { background: #0e8282; border-radius: 8px; }
#statusPanel QLabel[caption="true"] { color: #cdeeee; }
#sShape5 { background: #f7fbfb; border: 1px solid #cfe6e6; border-radius: 4px; }
#sShape2 { background: #ffb547; border-radius: 3px; }
#sShape7 { background: #ff7b47; }
#sShape3 { background: transparent; border-right: 3px solid #2e9d57; }
#sShape4 { background: transparent; border-right: 3px solid #d9453b; }
QFrame[group="1"] { background: #5fd17d; border-radius: 3px; }
QFrame[group="2"] { background: #5fb4ff; border-radius: 3px; }
QFrame[group="3"] { background: #ffc04d; border-radius: 3px; }
#Label9 { background: white; border: 2px solid #0b6e6e; border-radius: 12px;
          padding: 6px 18px; color: #1d1d1d; }
#Label1 { background: #fffdf6; border: 2px solid #d4c39a; border-radius: 10px;
          color: #1d3f8f; padding: 0px 12px; }
#Label5 { color: #6b5a3a; }
QLabel[role="slot"] { background: white; border: 3px solid #8696a6; border-radius: 10px;
                      color: #111111; }
QLabel[role="kanji"] { background: #fffaf0; border: 2px solid #b28b50; border-radius: 12px;
                       color: #222222; }
QLabel[role="kanji"]:hover { background: #ffe9b3; }
QLabel[role="kanji"]:disabled { background: #efefef; border-color: #cccccc; color: #b8b8b8; }
QLabel[role="kana"] { background: white; border: 2px solid #3b8fb0; border-radius: 12px;
                      color: #134e69; }
QLabel[role="kana"]:hover { background: #d9f0fa; }
QLabel[role="correct"] { background: white; border: 2px solid #e08a7e; border-radius: 10px;
                         color: #c0392b; }
#Picture4 { background: #f5ebd3; border: 2px solid #dcc79c; border-radius: 16px; }
#Picture2 { background: #e4f3f8; border: 2px solid #9ccadb; border-radius: 16px; }
#Picture3 { background: #fff0ed; border: 2px solid #e08a7e; border-radius: 16px; }
#practiceButtons { background: #f5ebd3; border: 2px solid #dcc79c; border-radius: 16px; }
#Label3 { color: #134e69; }
#Label4 { color: #4d6f7d; }
#Label2 { color: #1d3f8f; }
#correctCaption { color: #c0392b; }
QPushButton { background: white; border: 2px solid #0b6e6e; border-radius: 10px;
              padding: 6px 16px; color: #0b5c5c; }
QPushButton:hover { background: #e2f2f2; }
QPushButton:pressed { background: #c4e4e4; }
QPushButton:focus { border: 3px solid #f29b2c; }
QPushButton:disabled { background: #eeeeee; border-color: #c4c4c4; color: #a4a4a4; }
QPushButton[primary="true"] { background: #0b6e6e; color: white; }
QPushButton[primary="true"]:hover { background: #0e8585; }
QPushButton[primary="true"]:disabled { background: #a6c4c4; color: #f2f2f2; }
#sPicture2 { background: rgba(244, 241, 232, 235); border: 3px solid #0b6e6e;
             border-radius: 20px; }
#lblsss1 { color: #0b6e6e; }
#lblsss2 { color: #c0392b; }
)";

// A hidden element keeps its place, so that nothing around it jumps.
void keepPlaceWhenHidden(QWidget* widget)
{
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QFont sizedFont(double pointSize, bool bold = false, const QString& family = QString())
{
    QFont font;
    if (!family.isEmpty())
        font.setFamily(family);
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

QLabel* makeLabel(const QString& name, const QString& text, double pointSize, bool bold,
                  QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(sizedFont(pointSize, bold));
    return label;
}

QPushButton* makeButton(const QString& name, const QString& caption, double pointSize, bool primary,
                        QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(sizedFont(pointSize, true));
    button->setProperty("primary", primary);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

DrillTile* makeTile(const QString& name, const char* role, int size, double pointSize,
                    const QString& family, QWidget* parent)
{
    auto* tile = new DrillTile(name, role, parent);
    tile->setFixedSize(size, size);
    tile->setFont(sizedFont(pointSize, false, family));
    keepPlaceWhenHidden(tile);
    return tile;
}

// Shows text in the label's fixed width: in the largest size from largest down to smallest
// that fits, else cut with an ellipsis; the whole text stays in the tooltip and for screen
// readers.
void setFittingText(QLabel* label, const QString& text, double largest, double smallest)
{
    if (label->accessibleName() == text && !text.isEmpty())
        return;
    QFont font = label->font();
    double size = largest;
    font.setPointSizeF(size);
    while (size > smallest && QFontMetrics(font).horizontalAdvance(text) > label->width()) {
        size -= 1;
        font.setPointSizeF(std::max(size, smallest));
    }
    label->setFont(font);
    label->setText(QFontMetrics(font).elidedText(text, Qt::ElideRight, label->width()));
    label->setToolTip(label->text() == text ? QString() : text);
    label->setAccessibleName(text);
}

// A value of the status panel.
void setValue(QLabel* label, const QString& text)
{
    label->setText(text);
    label->setAccessibleDescription(text + label->property("unit").toString());
}

void setShown(QWidget* widget, bool shown)
{
    if (widget->isVisibleTo(widget->parentWidget()) != shown)
        widget->setVisible(shown);
}

} // namespace

DrillScreen::DrillScreen(DrillServices services, QWidget* parent)
    : Screen(parent), m_engine(services, *this), m_contentName(services.state.contentName)
{
    setObjectName(QStringLiteral("MainFrm"));
    installDrillAccessibility();
    // The screen takes the keys its buttons leave, wherever the focus is.
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QString::fromUtf8(kStyleSheet));
    setFont(sizedFont(12, false, kGothicFamily));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(14, 10, 14, 10);
    layout->setSpacing(10);
    layout->addWidget(buildStatusPanel());

    // The closing panel lies over the whole question area.
    auto* lower = new QGridLayout;
    lower->setContentsMargins(0, 0, 0, 0);
    lower->addWidget(buildQuestionArea(), 0, 0);
    lower->addWidget(buildClosingPanel(), 0, 0);
    lower->addWidget(buildReviewFinish(), 0, 0);
    layout->addLayout(lower, 1);
    // Only a review has it; hidden, it takes no room.
    m_reviewBack =
        makeButton(QStringLiteral("reviewBack"), QStringLiteral("戻る"), 18, false, this);
    m_reviewBack->setFixedSize(140, 60);
    connect(m_reviewBack, &QPushButton::clicked, this, [this] { m_engine.reviewBackClicked(); });
    layout->addWidget(m_reviewBack, 0, Qt::AlignLeft);

    m_clockTimer = new QTimer(this);
    m_clockTimer->setObjectName(QStringLiteral("sTimer1"));
    m_clockTimer->setInterval(kClockInterval);
    connect(m_clockTimer, &QTimer::timeout, this, [this] { m_engine.clockTick(); });
    m_minuteTimer = new QTimer(this);
    m_minuteTimer->setObjectName(QStringLiteral("sTimer2"));
    m_minuteTimer->setInterval(kMinuteInterval);
    connect(m_minuteTimer, &QTimer::timeout, this, [this] { m_engine.minuteTick(); });

    showDisplay(m_engine.display());
}

DrillScreen::~DrillScreen() = default;

void DrillScreen::activate()
{
    if (!m_minuteTimer->isActive())
        m_minuteTimer->start();
    setFocus(Qt::OtherFocusReason);
    m_engine.setUpDrill();
}

void DrillScreen::keyPressEvent(QKeyEvent* event)
{
    // A held key would choose its tile again and again; a mouse click never repeats.
    const bool plain = !(event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier));
    if (plain && !event->isAutoRepeat() && DrillKeys::press(m_engine, event->key()))
        event->accept();
    else
        Screen::keyPressEvent(event);
}

QString DrillScreen::windowCaption() const
{
    return m_contentName;
}

QWidget* DrillScreen::buildStatusPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("statusPanel"));

    m_contentLabel = makeLabel(QStringLiteral("sLabel2"), QString(), 16.8, true, panel);
    m_schoolLabel = makeLabel(QStringLiteral("sLabel14"), QString(), 10, false, panel);
    m_pupilLabel = makeLabel(QStringLiteral("sLabel7"), QString(), 20, true, panel);
    m_contentLabel->setFixedWidth(kWhoWidth);
    m_schoolLabel->setFixedWidth(kWhoWidth);
    m_pupilLabel->setFixedWidth(kPupilNameWidth);
    m_pupilLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* who = new QVBoxLayout;
    who->setSpacing(0);
    who->addWidget(m_contentLabel);
    who->addWidget(m_schoolLabel);

    // A cell: its caption above, its value with an optional unit below.
    const auto cell = [panel](QLabel* caption, QLabel* value, QLabel* unit) {
        auto* frame = new QFrame(panel);
        frame->setProperty("cell", true);
        caption->setParent(frame);
        caption->setProperty("caption", true);
        caption->setAlignment(Qt::AlignCenter);
        value->setParent(frame);
        value->setAlignment(Qt::AlignRight | Qt::AlignBaseline);
        // A screen reader names the value by its caption and reads it with its unit.
        value->setAccessibleName(caption->text());
        value->setProperty("unit", unit ? unit->text() : QString());
        auto* valueRow = new QHBoxLayout;
        valueRow->setSpacing(3);
        valueRow->addStretch();
        valueRow->addWidget(value, 0, Qt::AlignBaseline);
        if (unit) {
            unit->setParent(frame);
            unit->setProperty("caption", true);
            valueRow->addWidget(unit, 0, Qt::AlignBaseline);
        }
        valueRow->addStretch();
        auto* column = new QVBoxLayout(frame);
        column->setContentsMargins(10, 3, 10, 4);
        column->setSpacing(0);
        column->addWidget(caption);
        column->addLayout(valueRow);
        frame->setMinimumWidth(78);
        return frame;
    };
    const auto caption = [panel](const QString& name, const QString& text) {
        return makeLabel(name, text, 10, false, panel);
    };
    const auto value = [panel](const QString& name) {
        return makeLabel(name, QString(), 18, true, panel);
    };
    m_levelLabel = value(QStringLiteral("sLabel8"));
    m_levelLabel->setFont(sizedFont(14, true));
    // The longest caption, "範囲１０練", must show whole.
    m_levelLabel->setMinimumWidth(
        QFontMetrics(m_levelLabel->font()).horizontalAdvance(QStringLiteral("範囲１０練")));
    m_remainingLabel = value(QStringLiteral("sLabel9"));
    m_elapsedLabel = value(QStringLiteral("sLabel10"));
    m_levelCountLabel = value(QStringLiteral("sLabel11"));
    m_todayCountLabel = value(QStringLiteral("sLabel12"));
    m_minutesLabel = value(QStringLiteral("sLabel13"));
    for (QLabel* count :
         {m_remainingLabel, m_elapsedLabel, m_levelCountLabel, m_todayCountLabel, m_minutesLabel})
        count->setMinimumWidth(
            QFontMetrics(count->font()).horizontalAdvance(QStringLiteral("000")));

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addLayout(who);
    top->addSpacing(12);
    top->addWidget(m_pupilLabel);
    top->addStretch();
    top->addWidget(
        cell(caption(QStringLiteral("sLabel3"), QStringLiteral("レベル")), m_levelLabel, nullptr));
    top->addWidget(cell(caption(QStringLiteral("sLabel4"), QStringLiteral("残り")),
                        m_remainingLabel,
                        caption(QStringLiteral("remainingUnit"), QStringLiteral("問"))));
    top->addWidget(cell(caption(QStringLiteral("sLabel5"), QStringLiteral("タイム")),
                        m_elapsedLabel,
                        caption(QStringLiteral("elapsedUnit"), QStringLiteral("秒"))));
    top->addWidget(cell(caption(QStringLiteral("sLabel16_1"), QStringLiteral("このレベル")),
                        m_levelCountLabel,
                        caption(QStringLiteral("sLabel16_2"), QStringLiteral("回目"))));
    top->addWidget(cell(caption(QStringLiteral("sLabel16_3"), QStringLiteral("本日")),
                        m_todayCountLabel,
                        caption(QStringLiteral("sLabel16_4"), QStringLiteral("回目"))));
    top->addWidget(cell(caption(QStringLiteral("sLabel16_5"), QStringLiteral("起動後")),
                        m_minutesLabel,
                        caption(QStringLiteral("minutesUnit"), QStringLiteral("分"))));

    m_gauge = new TimeGauge(panel);

    // Thirty boxes in three groups of ten, each group with its caption below.
    auto* boxes = new QGridLayout;
    boxes->setHorizontalSpacing(12);
    boxes->setVerticalSpacing(1);
    const QStringList groupCaptions = {QStringLiteral("Pass"), QStringLiteral("Best"),
                                       QStringLiteral("YourBest")};
    for (int group = 0; group < 3; ++group) {
        auto* row = new QHBoxLayout;
        row->setSpacing(3);
        for (int k = 0; k < 10; ++k) {
            const int box = DrillDisplay::kFirstBox + 10 * group + k;
            auto* frame = new QFrame(panel);
            frame->setObjectName(QStringLiteral("sPicture3_%1").arg(box));
            frame->setProperty("group", QString::number(group + 1));
            frame->setFixedSize(12, 14);
            frame->setAccessibleName(groupCaptions.at(group) + QString::number(k + 1));
            keepPlaceWhenHidden(frame);
            m_boxes[box] = frame;
            row->addWidget(frame);
        }
        boxes->addLayout(row, 0, group);
        QLabel* label =
            caption(QStringLiteral("sLabel17_%1").arg(group + 1), groupCaptions.at(group));
        label->setFont(sizedFont(8.5));
        boxes->addWidget(label, 1, group, Qt::AlignHCenter);
    }

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(16);
    bottom->addWidget(m_gauge, 1, Qt::AlignTop);
    bottom->addLayout(boxes);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(14, 8, 14, 6);
    layout->setSpacing(6);
    layout->addLayout(top);
    layout->addLayout(bottom);
    return panel;
}

QWidget* DrillScreen::buildQuestionArea()
{
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("questionArea"));

    m_meaning = makeLabel(QStringLiteral("Label9"), QString(), 20, false, area);
    m_meaning->setWordWrap(true);
    m_meaning->setMinimumHeight(104);
    m_meaning->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);

    m_readingLine = makeLabel(QStringLiteral("Label1"), QString(), 24, true, area);
    m_readingLine->setFixedHeight(54);
    m_readingLine->setMinimumWidth(392);
    m_readingLine->setAlignment(Qt::AlignVCenter | Qt::AlignLeft);
    m_readingLine->setAccessibleDescription(QStringLiteral("読み"));

    auto* slotRow = new QHBoxLayout;
    slotRow->setSpacing(12);
    for (int k = 1; k <= DrillDisplay::kAnswerSlots; ++k) {
        m_slots[k] =
            makeTile(QStringLiteral("Label10_%1").arg(k), "slot", 89, 44, kMinchoFamily, area);
        slotRow->addWidget(m_slots[k]);
    }

    // The reading panel covers the kanji panel; the correction panel and the practice
    // buttons take the same place. The tiles come before the buttons, so that a screen reader
    // reads the meaning, then the tiles, then the buttons.
    auto* tileArea = new QWidget(area);
    tileArea->setObjectName(QStringLiteral("tileArea"));
    auto* tiles = new QGridLayout(tileArea);
    tiles->setContentsMargins(0, 0, 0, 0);
    tiles->addWidget(buildKanjiPanel(), 0, 0);
    tiles->addWidget(buildCorrectionPanel(), 0, 0);
    tiles->addWidget(buildReadingPanel(), 0, 0);
    tiles->addWidget(buildPracticeButtons(), 0, 0);

    m_ok = makeButton(QStringLiteral("Command3"), QStringLiteral("O.K."), 24, true, area);
    m_ok->setFixedSize(150, 89);
    m_clearOne =
        makeButton(QStringLiteral("Command6"), QStringLiteral("１文字クリア"), 13, false, area);
    m_clearAll = makeButton(QStringLiteral("Command2"), QStringLiteral("クリア"), 13, false, area);
    m_hint = makeButton(QStringLiteral("voiceHint"), QStringLiteral("音声ヒント"), 13, false, area);
    for (QPushButton* button : {m_clearOne, m_clearAll, m_hint})
        button->setFixedSize(150, 40);
    for (QPushButton* button : {m_ok, m_clearOne, m_clearAll, m_hint})
        keepPlaceWhenHidden(button);
    connect(m_ok, &QPushButton::clicked, this, [this] { m_engine.idiomOkClicked(); });
    connect(m_clearOne, &QPushButton::clicked, this, [this] { m_engine.clearOneClicked(); });
    connect(m_clearAll, &QPushButton::clicked, this, [this] { m_engine.clearAllClicked(); });
    connect(m_hint, &QPushButton::clicked, this, [this] { m_engine.voiceHintClicked(); });
    auto* clearButtons = new QVBoxLayout;
    clearButtons->setSpacing(9);
    clearButtons->addWidget(m_clearOne);
    clearButtons->addWidget(m_clearAll);

    // The reading line with the voice hint beside it, the answer slots with their buttons
    // below.
    auto* answer = new QGridLayout;
    answer->setHorizontalSpacing(20);
    answer->setVerticalSpacing(8);
    answer->addWidget(m_readingLine, 0, 0);
    answer->addWidget(m_hint, 0, 1, Qt::AlignVCenter);
    answer->addLayout(slotRow, 1, 0);
    answer->addLayout(clearButtons, 1, 1);
    answer->addWidget(m_ok, 1, 2);
    auto* answerRow = new QHBoxLayout;
    answerRow->addStretch();
    answerRow->addLayout(answer);
    answerRow->addStretch();

    m_note = makeLabel(QStringLiteral("Label5"),
                       QStringLiteral("音声ヒント：１０秒追加　　　間違い：２０秒追加＋１回追加"),
                       12, false, area);
    m_note->setAlignment(Qt::AlignRight);

    auto* layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(10);
    layout->addWidget(m_meaning);
    layout->addLayout(answerRow);
    layout->addWidget(tileArea, 1);
    layout->addWidget(m_note);
    return area;
}

QWidget* DrillScreen::buildReadingPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Picture2"));
    m_readingPanel = panel;

    auto* instruction = makeLabel(QStringLiteral("Label3"),
                                  QStringLiteral("はじめの４文字を選びなさい"), 18, true, panel);
    auto* note = makeLabel(QStringLiteral("Label4"),
                           QStringLiteral("間違うと１０秒追加　　 一文字ずつ答えが出ます"), 12,
                           false, panel);
    auto* heading = new QHBoxLayout;
    heading->addWidget(instruction);
    heading->addStretch();
    heading->addWidget(note, 0, Qt::AlignBottom);

    auto* tiles = new QHBoxLayout;
    tiles->setSpacing(12);
    for (int i = 1; i <= DrillDisplay::kKanaTiles; ++i) {
        m_kanaTiles[i] =
            makeTile(QStringLiteral("Label15_%1").arg(i), "kana", 100, 42, kGothicFamily, panel);
        m_kanaTiles[i]->setKeyCaption(DrillKeys::kanaTileCaption(i));
        connect(m_kanaTiles[i], &DrillTile::clicked, this,
                [this, i] { m_engine.kanaTileClicked(i); });
        tiles->addWidget(m_kanaTiles[i]);
    }
    m_readingOk = makeButton(QStringLiteral("Command14"), QStringLiteral("O.K."), 22, true, panel);
    m_readingOk->setFixedSize(120, 100);
    keepPlaceWhenHidden(m_readingOk);
    connect(m_readingOk, &QPushButton::clicked, this, [this] { m_engine.readingOkClicked(); });
    // Columns of equal width left and right keep the tiles in the middle of the panel.
    constexpr int kSideColumn = 120 + 16;
    auto* row = new QGridLayout;
    row->setHorizontalSpacing(0);
    row->setColumnMinimumWidth(0, kSideColumn);
    row->setColumnMinimumWidth(2, kSideColumn);
    row->setColumnStretch(0, 1);
    row->setColumnStretch(2, 1);
    row->addLayout(tiles, 0, 1);
    row->addWidget(m_readingOk, 0, 2, Qt::AlignLeft | Qt::AlignVCenter);
    row->setColumnMinimumWidth(2, kSideColumn);

    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(22, 14, 22, 18);
    layout->addLayout(heading);
    layout->addStretch();
    layout->addLayout(row);
    layout->addStretch();
    return panel;
}

QWidget* DrillScreen::buildKanjiPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Picture4"));
    m_kanjiPanel = panel;
    auto* grid = new QGridLayout;
    grid->setSpacing(14);
    for (int i = 1; i <= DrillDisplay::kKanjiTiles; ++i) {
        m_kanjiTiles[i] =
            makeTile(QStringLiteral("Label14_%1").arg(i), "kanji", 100, 44, kMinchoFamily, panel);
        m_kanjiTiles[i]->setKeyCaption(DrillKeys::kanjiTileCaption(i));
        connect(m_kanjiTiles[i], &DrillTile::clicked, this,
                [this, i] { m_engine.kanjiTileClicked(i); });
        grid->addWidget(m_kanjiTiles[i], (i - 1) / 6, (i - 1) % 6);
    }
    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(18, 14, 18, 14);
    layout->addStretch();
    layout->addLayout(grid);
    layout->addStretch();
    return panel;
}

QWidget* DrillScreen::buildCorrectionPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Picture3"));
    m_correctionPanel = panel;

    auto* caption =
        makeLabel(QStringLiteral("correctCaption"), QStringLiteral("正しい答え"), 16, true, panel);
    auto* characters = new QHBoxLayout;
    characters->setSpacing(10);
    for (int k = DrillDisplay::kAnswerSlots + 1; k <= 2 * DrillDisplay::kAnswerSlots; ++k) {
        m_slots[k] =
            makeTile(QStringLiteral("Label10_%1").arg(k), "correct", 84, 40, kMinchoFamily, panel);
        characters->addWidget(m_slots[k]);
    }
    m_correctionReading = makeLabel(QStringLiteral("Label2"), QString(), 22, true, panel);
    auto* correct = new QVBoxLayout;
    correct->setSpacing(8);
    correct->addWidget(caption);
    correct->addLayout(characters);
    correct->addWidget(m_correctionReading);

    m_next = makeButton(QStringLiteral("Command4"), QStringLiteral("次へ"), 24, true, panel);
    m_next->setFixedSize(170, 96);
    connect(m_next, &QPushButton::clicked, this, [this] { m_engine.nextClicked(); });

    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(28, 14, 28, 14);
    layout->addStretch();
    layout->addLayout(correct);
    layout->addSpacing(48);
    layout->addWidget(m_next);
    layout->addStretch();
    return panel;
}

QWidget* DrillScreen::buildPracticeButtons()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("practiceButtons"));
    m_practiceButtons = panel;
    m_back = makeButton(QStringLiteral("Command8"), QStringLiteral("戻る"), 18, false, panel);
    m_showAnswer =
        makeButton(QStringLiteral("Command11"), QStringLiteral("答えを見る"), 20, true, panel);
    m_practiceNext =
        makeButton(QStringLiteral("Command10"), QStringLiteral("次へ"), 20, true, panel);
    m_memorised =
        makeButton(QStringLiteral("Command9"), QStringLiteral("この問題覚えた"), 20, false, panel);
    m_back->setFixedSize(140, 80);
    for (QPushButton* button : {m_showAnswer, m_practiceNext, m_memorised})
        button->setFixedSize(240, 96);
    connect(m_back, &QPushButton::clicked, this, [this] { m_engine.practiceBackClicked(); });
    connect(m_showAnswer, &QPushButton::clicked, this,
            [this] { m_engine.practiceShowAnswerClicked(); });
    connect(m_practiceNext, &QPushButton::clicked, this,
            [this] { m_engine.practiceNextClicked(); });
    connect(m_memorised, &QPushButton::clicked, this,
            [this] { m_engine.practiceMemorisedClicked(); });

    auto* layout = new QHBoxLayout(panel);
    layout->setContentsMargins(24, 14, 24, 14);
    layout->setSpacing(20);
    layout->addWidget(m_back, 0, Qt::AlignBottom);
    layout->addStretch();
    layout->addWidget(m_showAnswer);
    layout->addWidget(m_practiceNext);
    layout->addWidget(m_memorised);
    layout->addStretch();
    return panel;
}

QWidget* DrillScreen::buildClosingPanel()
{
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("sPicture2"));
    m_closingPanel = panel;
    m_recording =
        makeLabel(QStringLiteral("lblsss1"), QStringLiteral("成績記録中"), 48, true, panel);
    m_timeUp = makeLabel(QStringLiteral("lblsss2"), QStringLiteral("時間切れ"), 48, true, panel);
    auto* layout = new QVBoxLayout(panel);
    layout->addStretch();
    layout->addWidget(m_recording, 0, Qt::AlignCenter);
    layout->addWidget(m_timeUp, 0, Qt::AlignCenter);
    layout->addStretch();
    return panel;
}

QWidget* DrillScreen::buildReviewFinish()
{
    m_reviewFinish = new ReviewFinishView(this);
    connect(m_reviewFinish, &ReviewFinishView::menuClicked, this,
            [this] { m_engine.reviewMenuClicked(); });
    return m_reviewFinish;
}

void DrillScreen::showDisplay(const DrillDisplay& d)
{
    // All changes land before the next paint: the screen never shows half of them.
    applyStatus(d);
    applyQuestion(d);
}

void DrillScreen::applyStatus(const DrillDisplay& d)
{
    if (m_contentLabel->font().pointSizeF() != d.contentPointSize)
        m_contentLabel->setFont(sizedFont(d.contentPointSize, true));
    setFittingText(m_contentLabel, d.contentName, d.contentPointSize, d.contentPointSize);
    setFittingText(m_pupilLabel, d.pupilName, kPupilNameSize, kSmallestNameSize);
    setValue(m_levelLabel, d.levelName);
    setValue(m_remainingLabel, d.remaining);
    setValue(m_elapsedLabel, d.elapsed);
    setValue(m_levelCountLabel, d.levelCount);
    setValue(m_todayCountLabel, d.todayCount);
    setValue(m_minutesLabel, d.minutes);
    setFittingText(m_schoolLabel, d.schoolName, 10, 10);
    m_gauge->setWidths(d.gaugeBar, d.gaugeSecondBar, d.targetMark, d.limitMark);
    for (int box = DrillDisplay::kFirstBox; box <= DrillDisplay::kLastBox; ++box) {
        setShown(m_boxes[box], d.boxVisible[box]);
    }
    if (d.clockRunning && !m_clockTimer->isActive())
        m_clockTimer->start();
    else if (!d.clockRunning && m_clockTimer->isActive())
        m_clockTimer->stop();
}

void DrillScreen::applyQuestion(const DrillDisplay& d)
{
    m_meaning->setText(d.meaning);
    m_meaning->setAlignment(Qt::AlignVCenter |
                            (d.meaningLeftAligned ? Qt::AlignLeft : Qt::AlignHCenter));
    m_readingLine->setText(d.readingLine);

    for (int i = 1; i <= DrillDisplay::kKanaTiles; ++i) {
        m_kanaTiles[i]->setCharacter(d.kanaTiles[i]);
        setShown(m_kanaTiles[i], !d.kanaTiles[i].isEmpty());
    }
    setShown(m_readingOk, d.readingOkVisible);
    const bool kanjiTilesCovered = d.readingPanelVisible || d.correctionVisible;
    for (int i = 1; i <= DrillDisplay::kKanjiTiles; ++i) {
        m_kanjiTiles[i]->setCharacter(d.kanjiTiles[i]);
        m_kanjiTiles[i]->setCovered(kanjiTilesCovered);
        m_kanjiTiles[i]->setEnabled(d.kanjiTilesEnabled);
        setShown(m_kanjiTiles[i], !d.kanjiTiles[i].isEmpty());
    }
    for (int k = 1; k <= 2 * DrillDisplay::kAnswerSlots; ++k)
        m_slots[k]->setCharacter(d.slotTexts[k]);
    for (int k = 1; k <= DrillDisplay::kAnswerSlots; ++k)
        setShown(m_slots[k], d.slotsVisible);

    setShown(m_ok, d.okVisible);
    m_ok->setEnabled(d.okEnabled);
    setShown(m_clearOne, d.clearButtonsVisible);
    setShown(m_clearAll, d.clearButtonsVisible);
    m_clearOne->setEnabled(d.clearButtonsEnabled);
    m_clearAll->setEnabled(d.clearButtonsEnabled);
    setShown(m_hint, d.hintVisible);
    m_hint->setEnabled(d.hintEnabled);
    setShown(m_note, d.noteVisible);

    m_correctionReading->setText(d.correctionReading);
    setShown(m_next, d.nextVisible);
    m_next->setEnabled(d.nextEnabled);

    setShown(m_back, d.backVisible);
    setShown(m_showAnswer, d.showAnswerVisible);
    setShown(m_practiceNext, d.practiceNextVisible);
    setShown(m_memorised, d.memorisedVisible);
    const bool practice =
        d.backVisible || d.showAnswerVisible || d.practiceNextVisible || d.memorisedVisible;

    // Panels last, the covering ones above the covered.
    setShown(m_kanjiPanel, d.kanjiPanelVisible);
    setShown(m_correctionPanel, d.correctionVisible);
    setShown(m_readingPanel, d.readingPanelVisible);
    setShown(m_practiceButtons, practice);
    if (d.correctionVisible)
        m_correctionPanel->raise();
    if (d.readingPanelVisible)
        m_readingPanel->raise();

    setShown(m_recording, !d.closingTimeOver);
    setShown(m_timeUp, d.closingTimeOver);
    setShown(m_closingPanel, d.closingVisible);
    if (d.closingVisible)
        m_closingPanel->raise();

    setShown(m_reviewBack, d.reviewBackVisible);
    m_reviewFinish->showSummary(d.reviewSummary);
    setShown(m_reviewFinish, d.reviewFinishVisible);
    if (d.reviewFinishVisible)
        m_reviewFinish->raise();
}

void DrillScreen::focusElement(DrillFocus element)
{
    QPushButton* button = element == DrillFocus::IdiomOk ? m_ok
                          : element == DrillFocus::Next  ? m_next
                                                         : m_reviewFinish->menuButton();
    if (button->isVisible() && button->isEnabled())
        button->setFocus(Qt::OtherFocusReason);
}
