#include "roster/nameselectionscreen.h"

#include "core/buttonkeys.h"
#include "core/listfont.h"
#include "core/sharedstate.h"
#include "roster/accentcolour.h"
#include "roster/drillicon.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QFont sizedFont(int pointSize, bool bold = false)
{
    QFont font;
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QPushButton* makeButton(const QString& name, const QString& caption, int pointSize, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFont(sizedFont(pointSize, true));
    button->setMinimumHeight(pointSize * 3);
    return button;
}

} // namespace

NameSelectionScreen::NameSelectionScreen(NameSelectionServices services, QWidget* parent)
    : Screen(parent), m_logic(services, *this)
{
    setObjectName(QStringLiteral("namesel"));
    const QColor accent = colourFromBlueGreenRed(services.state.accentColour);
    buildElements(accent);
    buildMenus();
    connectElements();
    // The names first, then what to do with the chosen one, then how the list is shown.
    QWidget* previous = m_list;
    for (QWidget* next : std::initializer_list<QWidget*>{m_start, m_print, m_quit, m_filter,
                                                         m_modes[TodayPointsAllPoints]}) {
        setTabOrder(previous, next);
        previous = next;
    }
    letEnterPressButtons(this);
    // The screen sees the keys before its elements do.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
}

void NameSelectionScreen::buildElements(const QColor& accent)
{
    QPalette screenPalette = palette();
    screenPalette.setColor(QPalette::Window, accent);
    screenPalette.setColor(QPalette::WindowText, Qt::white);
    setPalette(screenPalette);
    setAutoFillBackground(true);

    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("Image1"));
    m_icon->setPixmap(drillIcon(72));
    m_icon->setAccessibleName(QStringLiteral("四字熟語ドリル"));

    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("Label4"));
    m_title->setFont(sizedFont(48, true));

    m_filter = new QComboBox(this);
    m_filter->setObjectName(QStringLiteral("Combo1"));
    m_filter->setFont(sizedFont(16));
    m_filter->addItem(QStringLiteral("全学年"));
    m_filter->setToolTip(QStringLiteral("表示する学年を選びなさい"));
    m_filter->setAccessibleName(QStringLiteral("学年"));
    m_filter->setAccessibleDescription(m_filter->toolTip());

    auto* modeBox = new QGroupBox(this);
    modeBox->setStyleSheet(QStringLiteral("QGroupBox { border: 1px solid white; }"));
    auto* modeLayout = new QVBoxLayout(modeBox);
    m_modeGroup = new QButtonGroup(this);
    const QStringList modeCaptions = {
        QStringLiteral("回数(今日／今まで）"), QStringLiteral("ポイント（今日／今まで）"),
        QStringLiteral("本日（ポイント／回数）"), QStringLiteral("今まで（ポイント／回数）")};
    for (int mode = 0; mode < 4; ++mode) {
        m_modes[mode] = new QRadioButton(modeCaptions.at(mode), modeBox);
        m_modes[mode]->setObjectName(QStringLiteral("Option1_%1").arg(mode));
        m_modes[mode]->setFont(sizedFont(14));
        m_modes[mode]->setPalette(screenPalette);
        m_modeGroup->addButton(m_modes[mode], mode);
        modeLayout->addWidget(m_modes[mode]);
    }
    m_modes[TodayPointsAllPoints]->setChecked(true);

    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("List1"));
    m_list->setFont(fixedPitchListFont(18));
    m_list->setAccessibleName(QStringLiteral("名前の一覧"));

    m_choice = new QLabel(this);
    m_choice->setObjectName(QStringLiteral("Label1"));
    m_choice->setFont(sizedFont(22, true));
    m_choice->setMinimumHeight(64);
    m_choice->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_choice->setIndent(12);
    m_choice->setStyleSheet(
        QStringLiteral("QLabel { background: white; color: black; border: 2px solid #004040; }"));

    m_chosenNumber = new QLabel(this);
    m_chosenNumber->setObjectName(QStringLiteral("Label2"));
    m_chosenNumber->hide();

    m_start = makeButton(QStringLiteral("Command14"), QStringLiteral("O.K."), 26, this);
    m_print = makeButton(QStringLiteral("Command1"), QStringLiteral("印刷"), 16, this);
    m_quit = makeButton(QStringLiteral("Command7"), QStringLiteral("終了"), 16, this);

    auto* header = new QHBoxLayout;
    header->addWidget(m_icon);
    header->addSpacing(16);
    header->addWidget(m_title);
    header->addStretch();

    auto* side = new QVBoxLayout;
    side->addWidget(m_filter);
    side->addWidget(modeBox);
    side->addSpacing(12);
    side->addWidget(m_choice);
    side->addWidget(m_start);
    side->addStretch();
    side->addWidget(m_print);
    side->addWidget(m_quit);

    auto* body = new QHBoxLayout;
    body->addWidget(m_list, 1);
    body->addSpacing(24);
    body->addLayout(side);

    auto* content = new QVBoxLayout(this);
    content->setContentsMargins(28, 12, 28, 24);
    content->addLayout(header);
    content->addSpacing(8);
    content->addLayout(body, 1);

    m_waitPanel = new QLabel(QStringLiteral("Just a moment, please."), this);
    m_waitPanel->setObjectName(QStringLiteral("Picture5"));
    m_waitPanel->setAlignment(Qt::AlignCenter);
    m_waitPanel->setFont(sizedFont(28, true));
    m_waitPanel->setAutoFillBackground(true);
    m_waitPanel->setPalette(screenPalette);
    m_waitPanel->move(0, 0);
    m_waitPanel->hide();
}

void NameSelectionScreen::buildMenus()
{
    auto* menuBar = new QMenuBar(this);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    menuBar->setFont(sizedFont(12));
    menuBar->setStyleSheet(QStringLiteral("QMenuBar { background: #e6f2f2; color: black; }"));
    layout()->setMenuBar(menuBar);
    const auto addAction = [this](QMenu* menu, const QString& name, const QString& caption,
                                  void (NameSelection::*action)()) {
        QAction* item = menu->addAction(caption);
        item->setObjectName(name);
        connect(item, &QAction::triggered, this, [this, action] { (m_logic.*action)(); });
    };
    QMenu* file = menuBar->addMenu(QStringLiteral("file"));
    file->setObjectName(QStringLiteral("file"));
    addAction(file, QStringLiteral("menuRename"), QStringLiteral("名前の変更"),
              &NameSelection::editRoster);
    addAction(file, QStringLiteral("menuQuit"), QStringLiteral("終了"), &NameSelection::quit);
    QMenu* help = menuBar->addMenu(QStringLiteral("ヘルプ"));
    help->setObjectName(QStringLiteral("help"));
    addAction(help, QStringLiteral("menuContents"), QStringLiteral("目次"),
              &NameSelection::openHelp);
    addAction(help, QStringLiteral("menuAbout"), QStringLiteral("バージョン情報"),
              &NameSelection::showAbout);
    addAction(help, QStringLiteral("menuWebPage"), QStringLiteral("ホームページ"),
              &NameSelection::openMakerWebPage);
    addAction(help, QStringLiteral("menuContact"), QStringLiteral("お問い合わせ（メール）"),
              &NameSelection::writeContactMail);
}

void NameSelectionScreen::connectElements()
{
    connect(m_list, &QListWidget::currentRowChanged, this,
            [this](int row) { m_logic.rowClicked(row); });
    connect(m_list, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { m_logic.rowClicked(m_list->row(item)); });
    // Assistive technology chooses a name by selecting its row (the row's "Toggle" action);
    // the current row, which the choice follows, does not move by itself then.
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> chosen = m_list->selectedItems();
        if (chosen.size() == 1 && m_list->currentItem() != chosen.first())
            m_list->setCurrentItem(chosen.first());
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { m_logic.rowDoubleClicked(m_list->row(item)); });
    connect(m_filter, &QComboBox::currentIndexChanged, this,
            [this] { m_logic.filterChosen(m_filter->currentText()); });
    connect(m_modeGroup, &QButtonGroup::idToggled, this, [this](int mode, bool checked) {
        if (checked)
            m_logic.displayModeChosen(mode);
    });
    connect(m_start, &QPushButton::clicked, this, [this] { m_logic.start(); });
    connect(m_quit, &QPushButton::clicked, this, [this] { m_logic.quit(); });
    connect(m_print, &QPushButton::clicked, this, [this] { m_logic.print(); });
}

void NameSelectionScreen::load()
{
    m_logic.load();
}

void NameSelectionScreen::activate()
{
    m_logic.activate();
    // A keyboard user starts on the names.
    focusList();
}

bool NameSelectionScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return Screen::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.size() == 1 && m_logic.screenKeyPressed(text.at(0)))
        return true;
    if (watched == m_list && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter ||
                              key->key() == Qt::Key_Space)) {
        m_logic.listKeyPressed(key->key() == Qt::Key_Space ? QChar(u' ') : QChar(u'\r'));
        return true;
    }
    return Screen::eventFilter(watched, event);
}

void NameSelectionScreen::resizeEvent(QResizeEvent* event)
{
    Screen::resizeEvent(event);
    m_waitPanel->resize(size());
}

void NameSelectionScreen::setTitle(const QString& contentName)
{
    m_title->setText(contentName);
}

void NameSelectionScreen::setFilterEntries(const QStringList& entries)
{
    const QSignalBlocker blocker(m_filter);
    m_filter->clear();
    m_filter->addItems(entries);
    m_filter->setCurrentIndex(0);
}

void NameSelectionScreen::setDisplayMode(int mode)
{
    const QSignalBlocker blocker(m_modeGroup);
    if (QAbstractButton* button = m_modeGroup->button(mode))
        button->setChecked(true);
}

void NameSelectionScreen::setRows(const QStringList& rows)
{
    const QSignalBlocker blocker(m_list);
    m_list->clear();
    m_list->addItems(rows);
}

void NameSelectionScreen::selectRow(int row)
{
    const QSignalBlocker blocker(m_list);
    m_list->setCurrentRow(row);
    if (row < 0)
        m_list->clearSelection();
}

void NameSelectionScreen::setChoiceText(const QString& text)
{
    m_choice->setText(text);
}

void NameSelectionScreen::setChosenNumberText(const QString& text)
{
    m_chosenNumber->setText(text);
}

void NameSelectionScreen::setStartButtonVisible(bool visible)
{
    m_start->setVisible(visible);
}

void NameSelectionScreen::setPrintButtonVisible(bool visible)
{
    m_print->setVisible(visible);
}

void NameSelectionScreen::setWaitPanelVisible(bool visible)
{
    m_waitPanel->resize(size());
    m_waitPanel->setVisible(visible);
    if (visible)
        m_waitPanel->raise();
}

void NameSelectionScreen::focusList()
{
    m_list->setFocus();
}

void NameSelectionScreen::showErrorMessage(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok, window());
    box.exec();
}
