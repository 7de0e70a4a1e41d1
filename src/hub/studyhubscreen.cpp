#include "hub/studyhubscreen.h"

#include "core/buttonkeys.h"
#include "core/listfont.h"
#include "core/sharedstate.h"
#include "hub/graphpanelwidget.h"
#include "hub/paintergraphcanvas.h"
#include "hub/studymapopening.h"
#include "print/qtprintdevices.h"
#include "review/studymapwindow.h"
#include "roster/accentcolour.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <climits>
#include <utility>

namespace {

constexpr double kScreenTwips = 15360.0;
constexpr int kColumnsLeftTwips = 384; // the first column's left edge
constexpr int kColumnGap = 6;
constexpr int kListPointSize = 10;

const QString kLabelFamily = QStringLiteral("IPAPGothic");

QFont sizedFont(int pointSize, bool bold = false)
{
    QFont font(kLabelFamily);
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QLabel* makeLabel(const QString& name, int pointSize, QWidget* parent, bool bold = false)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(sizedFont(pointSize, bold));
    return label;
}

QPushButton* makeButton(const QString& name, const QString& caption, int pointSize, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(sizedFont(pointSize, true));
    return button;
}

QString itemName(const char* element, int item)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(element)).arg(item);
}

// A please-wait panel: its text and a progress bar.
QFrame* makeWaitPanel(const QString& name, const QString& text, const QString& barName,
                      QProgressBar** bar, QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(name);
    panel->setAutoFillBackground(true);
    auto* label = new QLabel(text, panel);
    label->setObjectName(name + QStringLiteral("Text"));
    label->setFont(sizedFont(26, true));
    label->setAlignment(Qt::AlignCenter);
    *bar = new QProgressBar(panel);
    (*bar)->setObjectName(barName);
    (*bar)->setTextVisible(false);
    (*bar)->setFixedHeight(18);
    auto* layout = new QVBoxLayout(panel);
    layout->addStretch();
    layout->addWidget(label);
    layout->addSpacing(12);
    layout->addWidget(*bar);
    layout->addStretch();
    layout->setContentsMargins(40, 16, 40, 16);
    panel->hide();
    return panel;
}

// A drill offered in the top row: its button and the line under it.
void showOffer(const ReviewOffer& offer, QPushButton* button, QLabel* line)
{
    button->setText(offer.caption);
    button->setAccessibleName(offer.caption);
    button->setAccessibleDescription(offer.line);
    button->setEnabled(offer.enabled);
    line->setText(offer.line);
    line->setAccessibleName(offer.line);
}

} // namespace

StudyHubScreen::StudyHubScreen(StudyHubServices services, QWidget* parent)
    : Screen(parent), m_logic(services, *this), m_caption(services.state.contentName)
{
    setObjectName(QStringLiteral("seisekitime1"));
    QPalette screenPalette = palette();
    screenPalette.setColor(QPalette::Window, colourFromBlueGreenRed(services.state.accentColour));
    screenPalette.setColor(QPalette::WindowText, Qt::white);
    setPalette(screenPalette);
    setAutoFillBackground(true);
    buildElements();
    connectElements();
    connectStudyMap(services);
    watchKeys(this);

    // Made after the key watch: what is typed into the panel's lists stays there.
    m_graphPanel = new GraphPanelWidget(m_logic.graphPanel(), this);
    m_logic.graphPanel().setView(m_graphPanel);
    letEnterPressButtons(this);
    m_graphPaper = services.hooks.graphPaper;
    if (!m_graphPaper) {
        m_graphPaper = std::make_shared<QtGraphPaper>();
        m_logic.graphPanel().setPaper(m_graphPaper.get());
    }
}

StudyHubScreen::~StudyHubScreen()
{
    // The panel talks to the logic until it is gone; the logic goes before the children.
    m_logic.graphPanel().setView(nullptr);
    delete std::exchange(m_graphPanel, nullptr);
}

void StudyHubScreen::watchKeys(QWidget* widget)
{
    // The screen sees the keys before its elements do.
    widget->installEventFilter(this);
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->installEventFilter(this);
}

void StudyHubScreen::buildElements()
{
    m_back = makeButton(QStringLiteral("Command1"), kBackCaption, 14, this);
    m_back->setMinimumSize(110, 40);
    m_title = makeLabel(QStringLiteral("Label11"), 24, this, true);
    m_pupil = makeLabel(QStringLiteral("Label12"), 20, this, true);
    m_school = makeLabel(QStringLiteral("Label13"), 12, this);
    m_minutes = makeLabel(QStringLiteral("Label17"), 12, this);
    m_todayTotal = makeLabel(QStringLiteral("Label18"), 14, this, true);
    m_minutes->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_todayTotal->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    auto* header = new QHBoxLayout;
    header->addWidget(m_back, 0, Qt::AlignTop);
    addReviewElements(header);
    header->addSpacing(14);
    header->addWidget(m_title);
    header->addSpacing(24);
    auto* who = new QVBoxLayout;
    who->setSpacing(0);
    who->addWidget(m_pupil);
    who->addWidget(m_school);
    header->addLayout(who);
    header->addStretch();
    auto* counts = new QVBoxLayout;
    counts->setSpacing(0);
    counts->addWidget(m_todayTotal);
    counts->addWidget(m_minutes);
    header->addLayout(counts);

    // The view choices sit on a light strip so that the option buttons read well.
    auto* choices = new QFrame(this);
    choices->setObjectName(QStringLiteral("viewChoices"));
    choices->setStyleSheet(
        QStringLiteral("#viewChoices { background: #e6f2f2; border-radius: 6px; }"
                       "#viewChoices QRadioButton, #viewChoices QLabel { color: #103838; }"));
    auto* choiceRow = new QHBoxLayout(choices);
    choiceRow->setContentsMargins(10, 4, 10, 4);
    m_kindGroup = new QButtonGroup(this);
    const QStringList kindCaptions = {QStringLiteral("ﾀｲﾑ表示"), QStringLiteral("ﾎﾟｲﾝﾄ表示"),
                                      QStringLiteral("個人ﾀｲﾑ")};
    for (int kind = 0; kind < 3; ++kind) {
        m_kinds[kind] = new QRadioButton(kindCaptions.at(kind), choices);
        m_kinds[kind]->setObjectName(QStringLiteral("Option2_%1").arg(kind));
        m_kinds[kind]->setFont(sizedFont(12, true));
        m_kindGroup->addButton(m_kinds[kind], kind);
        choiceRow->addWidget(m_kinds[kind]);
    }
    m_kinds[StudyHub::PointsDisplay]->setChecked(true);
    auto* divider = new QFrame(choices);
    divider->setFrameShape(QFrame::VLine);
    choiceRow->addSpacing(6);
    choiceRow->addWidget(divider);
    choiceRow->addSpacing(6);
    m_periodGroup = new QButtonGroup(this);
    const QStringList periodCaptions = {QStringLiteral("累計順"), QStringLiteral("本日順"),
                                        kAllRecordsCaption};
    for (int period = 1; period <= 3; ++period) {
        m_periods[period] = new QRadioButton(periodCaptions.at(period - 1), choices);
        m_periods[period]->setObjectName(QStringLiteral("Option1_%1").arg(period));
        m_periods[period]->setFont(sizedFont(12));
        m_periodGroup->addButton(m_periods[period], period);
        choiceRow->addWidget(m_periods[period]);
    }
    m_periods[StudyHub::FirstPeriod]->setChecked(true);
    choiceRow->addStretch();
    m_gradeFilter = new QComboBox(choices);
    m_gradeFilter->setObjectName(QStringLiteral("Combo1"));
    m_gradeFilter->setFont(sizedFont(12));
    m_gradeFilter->setAccessibleName(QStringLiteral("学年"));
    choiceRow->addWidget(m_gradeFilter);
    m_recordsBox = new QComboBox(choices);
    m_recordsBox->setObjectName(QStringLiteral("Combo2"));
    m_recordsBox->setFont(sizedFont(12));
    m_recordsBox->addItem(kRecordsBoxEntry);
    m_recordsBox->setAccessibleName(QStringLiteral("成績の範囲"));
    choiceRow->addWidget(m_recordsBox);
    m_graph = makeButton(QStringLiteral("Command17"), QStringLiteral("グラフ"), 12, choices);
    m_graph->hide();
    choiceRow->addWidget(m_graph);

    m_heading = makeLabel(QStringLiteral("Label5"), 15, this, true);
    m_heading->setText(QStringLiteral("ベスト成績"));
    m_keyHint = makeLabel(QStringLiteral("Label6"), 11, this);
    m_keyHint->setText(kKeyHint);
    m_keyHint->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* headingRow = new QHBoxLayout;
    headingRow->addWidget(m_heading);
    headingRow->addStretch();
    headingRow->addWidget(m_keyHint);

    m_columnArea = new QWidget(this);
    m_columnArea->setObjectName(QStringLiteral("columnArea"));
    m_columnArea->installEventFilter(this);

    m_scroll = new QScrollBar(Qt::Horizontal, this);
    m_scroll->setObjectName(QStringLiteral("HScroll1"));
    m_scroll->setPageStep(StudyHub::kVisibleColumns);
    m_scroll->setMinimumHeight(20);
    m_scroll->setAccessibleName(QStringLiteral("項目の列"));
    m_scroll->hide();

    // Instructions of another drill of the family; this hub keeps the list but never shows it.
    m_instructions = new QListWidget(this);
    m_instructions->setObjectName(QStringLiteral("List6"));
    m_instructions->setAccessibleName(QStringLiteral("説明"));
    m_instructions->hide();

    auto* content = new QVBoxLayout(this);
    content->setContentsMargins(12, 8, 12, 8);
    content->setSpacing(6);
    content->addLayout(header);
    content->addWidget(choices);
    content->addLayout(headingRow);
    content->addWidget(m_columnArea, 1);
    content->addWidget(m_scroll);

    m_waitPanel =
        makeWaitPanel(QStringLiteral("Picture2"), QStringLiteral("Just a moment, please."),
                      QStringLiteral("ProgressBar1"), &m_waitProgress, this);
    m_waitPanel->setPalette(palette());
    m_rankingPanel =
        makeWaitPanel(QStringLiteral("Picture6"), QStringLiteral("Just a momento, please."),
                      QStringLiteral("ProgressBar2"), &m_rankingProgress, this);
    m_rankingPanel->setPalette(palette());
    m_rankingPanel->setFrameShape(QFrame::Box);
    m_rankingPanel->setLineWidth(2);
}

StudyHubScreen::Column StudyHubScreen::makeColumn(int item)
{
    Column c;
    c.frame = new QFrame(m_columnArea);
    c.frame->setObjectName(itemName("column", item));
    c.frame->setStyleSheet(
        QStringLiteral(
            "#%1 { background: #f4fbfb; border: 1px solid #004040; border-radius: 6px; }"
            "#%1 QLabel { color: #103838; }"
            "#%1 QPushButton#%2 { background: #ffd54f; color: #202020; border: 1px solid #806000;"
            " border-radius: 5px; padding: 4px; }"
            "#%1 QPushButton#%2:disabled { background: #d0d0d0; color: #707070; }"
            "#%1 QPushButton#%2:focus { border: 3px solid #f29b2c; }")
            .arg(c.frame->objectName(), itemName("Command4", item)));

    c.number = makeLabel(itemName("Label1", item), 15, c.frame, true);
    c.number->setAlignment(Qt::AlignCenter);
    c.number->setStyleSheet(
        QStringLiteral("QLabel { background: #008080; color: white; border-radius: 4px; }"));
    c.caption = makeLabel(itemName("Label3", item), 15, c.frame, true);
    c.caption->setCursor(Qt::PointingHandCursor);
    c.start = makeButton(itemName("Command4", item), QString(), 14, c.frame);
    c.start->setMinimumHeight(34);
    c.cover = new QLineEdit(c.frame);
    c.cover->setObjectName(itemName("Text1", item));
    c.cover->hide();
    c.goal = makeLabel(itemName("Label7", item), 10, c.frame);
    c.recent = makeLabel(itemName("Label8", item), 10, c.frame);
    c.todayHeading = makeLabel(itemName("Label9", item), 10, c.frame, true);
    c.allTimeHeading = makeLabel(itemName("Label10", item), 10, c.frame, true);
    c.todayHeading->setText(QStringLiteral("今日"));
    c.allTimeHeading->setText(QStringLiteral("今まで"));
    c.today = makeLabel(itemName("Label14", item), 11, c.frame, true);
    c.allTime = makeLabel(itemName("Label15", item), 11, c.frame, true);
    for (QLabel* label : {c.todayHeading, c.allTimeHeading, c.today, c.allTime})
        label->setAlignment(Qt::AlignCenter);
    c.list = new QListWidget(c.frame);
    c.list->setObjectName(itemName("List5", item));
    c.list->setFont(fixedPitchListFont(kListPointSize));
    c.list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    c.list->setStyleSheet(QStringLiteral("QListWidget { background: white; color: black; }"));
    c.rank = makeButton(itemName("Command3", item), QStringLiteral("成績表示"), 10, c.frame);
    c.reset = makeButton(itemName("Command2", item), QStringLiteral("タイム初期化"), 10, c.frame);

    auto* title = new QHBoxLayout;
    title->setSpacing(6);
    title->addWidget(c.number, 2);
    title->addWidget(c.caption, 8);
    auto* headings = new QHBoxLayout;
    headings->addWidget(c.todayHeading, 1);
    headings->addWidget(c.allTimeHeading, 1);
    auto* tallies = new QHBoxLayout;
    tallies->addWidget(c.today, 1);
    tallies->addWidget(c.allTime, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(c.rank);
    buttons->addWidget(c.reset);

    auto* layout = new QVBoxLayout(c.frame);
    layout->setContentsMargins(5, 5, 5, 5);
    layout->setSpacing(3);
    layout->addLayout(title);
    layout->addWidget(c.start);
    layout->addWidget(c.goal);
    layout->addWidget(c.recent);
    layout->addLayout(headings);
    layout->addLayout(tallies);
    layout->addWidget(c.list, 1);
    // A practice column has no list; its buttons stay at the bottom.
    layout->addStretch(0);
    layout->addLayout(buttons);

    connect(c.start, &QPushButton::clicked, this, [this, item] { m_logic.openItem(item); });
    connect(c.rank, &QPushButton::clicked, this, [this, item] { m_logic.rankingRequested(item); });
    return c;
}

// 戻る(0), then 復習, 書き取り and 覚えた熟語 side by side with the lines about the next review
// and the next writing drill under them. Beside them a line had too little room: it broke a date
// in two (「次の復習は12」 over 「月9日」) and pressed against the caption. Under them each is one
// line, never wrapped.
void StudyHubScreen::addReviewElements(QHBoxLayout* header)
{
    m_review = makeButton(QStringLiteral("reviewButton"), QString(), 14, this);
    m_review->setMinimumSize(120, 40);
    m_review->setEnabled(false);
    m_reviewLine = makeLabel(QStringLiteral("reviewLine"), 11, this);
    connect(m_review, &QPushButton::clicked, this, [this] { m_logic.openReview(); });
    m_writing = makeButton(QStringLiteral("writingButton"), kWritingCaption, 14, this);
    m_writing->setMinimumSize(120, 40);
    m_writing->setEnabled(false);
    m_writingLine = makeLabel(QStringLiteral("writingLine"), 11, this);
    connect(m_writing, &QPushButton::clicked, this, [this] { m_logic.openWriting(); });
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addWidget(m_review);
    buttons->addSpacing(8);
    buttons->addWidget(m_writing);
    addStudyMapButton(buttons);
    buttons->addStretch();
    auto* review = new QVBoxLayout;
    review->setSpacing(2);
    review->addLayout(buttons);
    review->addWidget(m_reviewLine);
    review->addWidget(m_writingLine);
    header->addSpacing(8);
    header->addLayout(review);
}

void StudyHubScreen::connectElements()
{
    connect(m_back, &QPushButton::clicked, this, [this] { m_logic.back(); });
    connect(m_graph, &QPushButton::clicked, this, [this] { m_logic.graphRequested(); });
    connect(m_kindGroup, &QButtonGroup::idClicked, this,
            [this](int kind) { m_logic.displayKindChosen(kind); });
    connect(m_periodGroup, &QButtonGroup::idClicked, this,
            [this](int period) { m_logic.periodChosen(period); });
    connect(m_gradeFilter, &QComboBox::activated, this,
            [this] { m_logic.gradeFilterChosen(m_gradeFilter->currentText()); });
    connect(m_recordsBox, &QComboBox::activated, this, [this] { m_logic.recordsBoxChosen(); });
    connect(m_scroll, &QScrollBar::valueChanged, this,
            [this](int value) { m_logic.scrollMoved(value); });
}

void StudyHubScreen::load()
{
    m_logic.load();
}

void StudyHubScreen::activate()
{
    m_logic.refreshHub();
    // A keyboard user starts where the items start.
    if (!m_graphPanel->isVisible())
        focusFirstStart();
}

void StudyHubScreen::addStudyMapButton(QHBoxLayout* header)
{
    m_studyMap =
        makeButton(QStringLiteral("studyMapButton"), QStringLiteral("覚えた熟語"), 14, this);
    m_studyMap->setMinimumSize(130, 40);
    m_studyMap->setAccessibleName(QStringLiteral("覚えた熟語"));
    header->addSpacing(8);
    header->addWidget(m_studyMap);
}

void StudyHubScreen::connectStudyMap(const StudyHubServices& services)
{
    connect(m_studyMap, &QPushButton::clicked, this, [this, services] {
        StudyMapWindow* map =
            openStudyMap(this, services.state, services.clock, services.studies, services.messages,
                         std::make_shared<PrintDevicesMapPaper>(std::make_shared<QtPrintDevices>()),
                         services.hooks.examDates);
        // The exam date may have been changed there, and with it the plan under 「復習」.
        if (map)
            connect(map, &QDialog::finished, this, [this] { m_logic.refreshReview(); });
    });
}

StudyHubScreen::Column* StudyHubScreen::column(int item)
{
    if (item < 1 || item >= static_cast<int>(m_columns.size()))
        return nullptr;
    return &m_columns[static_cast<size_t>(item)];
}

bool StudyHubScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_columnArea && event->type() == QEvent::Resize)
        layoutColumns();
    // The graph panel covers the columns: their keys would start a drill from under it.
    if (event->type() == QEvent::KeyPress && !(m_graphPanel && m_graphPanel->isVisible())) {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const QString text = keyEvent->text();
        // Escape is the back button, as its key 0 is.
        const QChar key = keyEvent->key() == Qt::Key_Escape ? QChar(u'0')
                          : text.size() == 1                ? text.at(0)
                                                            : QChar();
        if ((key == kStudyMapKey && clickIfShown(m_studyMap)) || m_logic.keyPressed(key))
            return true;
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int item = 1; item < static_cast<int>(m_columns.size()); ++item) {
            if (watched == m_columns[static_cast<size_t>(item)].caption) {
                m_logic.captionClicked(item);
                return true;
            }
        }
    }
    return Screen::eventFilter(watched, event);
}

void StudyHubScreen::resizeEvent(QResizeEvent* event)
{
    Screen::resizeEvent(event);
    layoutPanels();
}

void StudyHubScreen::layoutPanels()
{
    m_waitPanel->setGeometry(rect());
    const QRect area = m_columnArea->geometry();
    m_rankingPanel->setGeometry(area.center().x() - 320, area.top() + 120, 640, 170);
    if (m_graphPanel) {
        const int top = m_heading->geometry().top();
        m_graphPanel->setGeometry(area.left(), top, area.width(), height() - top - 8);
    }
}

void StudyHubScreen::layoutColumns()
{
    const double scale = width() / kScreenTwips;
    const int areaWidth = m_columnArea->width();
    const int columnCount = static_cast<int>(m_columns.size()) - 1;
    if (columnCount < 1 || m_pitchTwips <= 0)
        return;
    // The visible columns sit in the middle of the strip that four or fewer columns fill.
    const int shown = std::min(columnCount, StudyHub::kVisibleColumns);
    const int stripTwips = shown * m_pitchTwips;
    const int stripLeft =
        static_cast<int>((kColumnsLeftTwips + (StudyHub::kFullWidthTwips - stripTwips) / 2) *
                         scale) -
        m_columnArea->x();
    const int stripRight = stripLeft + static_cast<int>(stripTwips * scale);
    const int columnWidth = std::max(static_cast<int>(m_pitchTwips * scale) - kColumnGap, 1);
    for (int item = 1; item <= columnCount; ++item) {
        const int left = item < static_cast<int>(m_leftTwips.size())
                             ? m_leftTwips[static_cast<size_t>(item)]
                             : -1;
        int x = stripLeft + static_cast<int>(left * scale);
        // A column left of the first visible one, or one that does not fit, goes past the
        // right edge, out of sight.
        if (left < 0 || x + columnWidth > stripRight + 1)
            x = areaWidth;
        m_columns[static_cast<size_t>(item)].frame->setGeometry(x, 0, columnWidth,
                                                                m_columnArea->height());
    }
}

void StudyHubScreen::createColumns(int itemCount)
{
    m_columns.resize(static_cast<size_t>(itemCount) + 1);
    for (int item = 1; item <= itemCount; ++item) {
        m_columns[static_cast<size_t>(item)] = makeColumn(item);
        m_columns[static_cast<size_t>(item)].frame->show();
        watchKeys(m_columns[static_cast<size_t>(item)].frame);
    }
}

void StudyHubScreen::setColumnTexts(int item, const HubColumnTexts& texts)
{
    Column* c = column(item);
    if (!c)
        return;
    c->number->setText(texts.number);
    c->caption->setText(texts.caption);
    c->start->setText(texts.start);
    c->goal->setText(texts.goal);
    c->recent->setText(texts.recent);
    c->caption->setAccessibleDescription(texts.start);
    // Twenty columns of alike buttons and lists: a screen reader names the item of each.
    c->start->setAccessibleName(texts.caption + u' ' + texts.start);
    c->list->setAccessibleName(texts.caption + QStringLiteral("の成績"));
    for (QPushButton* button : {c->rank, c->reset})
        button->setAccessibleDescription(texts.caption);
}

void StudyHubScreen::setGradeFilter(const QStringList& entries, const QString& current)
{
    const QSignalBlocker blocker(m_gradeFilter);
    m_gradeFilter->clear();
    m_gradeFilter->addItems(entries);
    if (m_gradeFilter->findText(current) < 0)
        m_gradeFilter->insertItem(0, current);
    m_gradeFilter->setCurrentIndex(m_gradeFilter->findText(current));
}

void StudyHubScreen::setScrollBar(bool visible, int minimum, int maximum)
{
    const QSignalBlocker blocker(m_scroll);
    m_scroll->setRange(minimum, maximum);
    m_scroll->setVisible(visible);
}

void StudyHubScreen::setScrollValue(int value)
{
    const QSignalBlocker blocker(m_scroll);
    m_scroll->setValue(value);
}

void StudyHubScreen::placeColumns(int pitchTwips, const std::vector<int>& leftTwips)
{
    m_pitchTwips = pitchTwips;
    m_leftTwips = leftTwips;
    layoutColumns();
}

void StudyHubScreen::setTitle(const QString& text, int pointSize)
{
    m_title->setText(text);
    m_title->setFont(sizedFont(pointSize, true));
}

void StudyHubScreen::setPupilLine(const QString& text)
{
    m_pupil->setText(text);
}

void StudyHubScreen::setSchoolLine(const QString& text)
{
    m_school->setText(text);
}

void StudyHubScreen::setMinutesLine(const QString& text)
{
    m_minutes->setText(text);
}

void StudyHubScreen::setTodayTotalLine(const QString& text)
{
    m_todayTotal->setText(text);
}

void StudyHubScreen::setListHeading(const QString& text)
{
    m_heading->setText(text);
}

void StudyHubScreen::setColumnHeadings(int item, const QString& today, const QString& allTime)
{
    if (Column* c = column(item)) {
        c->todayHeading->setText(today);
        c->allTimeHeading->setText(allTime);
    }
}

void StudyHubScreen::setTallies(int item, const QString& today, const QString& allTime)
{
    if (Column* c = column(item)) {
        c->today->setText(today);
        c->allTime->setText(allTime);
    }
}

void StudyHubScreen::setColumnDetailsVisible(int item, bool visible)
{
    if (Column* c = column(item)) {
        for (QWidget* part :
             std::initializer_list<QWidget*>{c->goal, c->recent, c->todayHeading, c->allTimeHeading,
                                             c->today, c->allTime, c->list})
            part->setVisible(visible);
    }
}

void StudyHubScreen::setListVisible(int item, bool visible)
{
    if (Column* c = column(item))
        c->list->setVisible(visible);
}

void StudyHubScreen::setListLines(int item, const QStringList& lines, int scrollTo)
{
    Column* c = column(item);
    if (!c)
        return;
    c->list->clear();
    c->list->addItems(lines);
    if (scrollTo >= 0 && scrollTo < c->list->count())
        c->list->scrollToItem(c->list->item(scrollTo), QAbstractItemView::PositionAtTop);
    c->list->clearSelection();
    c->list->setCurrentRow(-1);
}

void StudyHubScreen::setStartEnabled(int item, bool enabled)
{
    if (Column* c = column(item))
        c->start->setEnabled(enabled);
}

void StudyHubScreen::selectDisplayKind(int kind)
{
    if (kind >= 0 && kind < static_cast<int>(m_kinds.size()))
        m_kinds[static_cast<size_t>(kind)]->setChecked(true);
}

void StudyHubScreen::selectPeriod(int period)
{
    if (period >= 1 && period < static_cast<int>(m_periods.size()))
        m_periods[static_cast<size_t>(period)]->setChecked(true);
}

void StudyHubScreen::setPeriodCaption(int period, const QString& caption)
{
    if (period >= 1 && period < static_cast<int>(m_periods.size()))
        m_periods[static_cast<size_t>(period)]->setText(caption);
}

void StudyHubScreen::setPeriodThreeEnabled(bool enabled)
{
    m_periods[StudyHub::AllRecordsPeriod]->setEnabled(enabled);
}

void StudyHubScreen::setRecordsBoxVisible(bool visible)
{
    m_recordsBox->setVisible(visible);
}

void StudyHubScreen::setBackEnabled(bool enabled)
{
    m_back->setEnabled(enabled);
}

void StudyHubScreen::setReviewOffer(const ReviewOffer& offer)
{
    showOffer(offer, m_review, m_reviewLine);
}

void StudyHubScreen::setWritingOffer(const ReviewOffer& offer)
{
    showOffer(offer, m_writing, m_writingLine);
}

void StudyHubScreen::setGraphButtonVisible(bool visible)
{
    m_graph->setVisible(visible);
}

void StudyHubScreen::setWaitPanelVisible(bool visible)
{
    layoutPanels();
    m_waitPanel->setVisible(visible);
    if (visible)
        m_waitPanel->raise();
}

void StudyHubScreen::setWaitProgressVisible(bool visible)
{
    m_waitProgress->setVisible(visible);
}

void StudyHubScreen::setRankingPanelVisible(bool visible)
{
    layoutPanels();
    m_rankingPanel->setVisible(visible);
    if (visible)
        m_rankingPanel->raise();
    if (m_waitPanel->isVisible())
        m_waitPanel->raise();
}

void StudyHubScreen::setProgress(qint64 value, qint64 maximum)
{
    const int top = static_cast<int>(std::clamp<qint64>(maximum, 0, INT_MAX));
    const int at = static_cast<int>(std::clamp<qint64>(value, 0, top));
    for (QProgressBar* bar : {m_waitProgress, m_rankingProgress}) {
        bar->setRange(0, top);
        bar->setValue(at);
    }
}

void StudyHubScreen::repaintNow()
{
    if (isVisible())
        repaint();
}

void StudyHubScreen::focusFirstStart()
{
    if (Column* c = column(1))
        c->start->setFocus();
}
