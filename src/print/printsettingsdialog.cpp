#include "print/printsettingsdialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const char* const kOptionCaptions[] = {"すべて印刷", "問題１カ所", "問題２カ所", "問題３カ所",
                                       "問題４カ所"};

QPushButton* makeButton(const QString& name, const QString& caption, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setMinimumSize(130, 44);
    return button;
}

} // namespace

PrintSettingsDialog::PrintSettingsDialog(std::unique_ptr<WorksheetSettings> logic,
                                         std::function<void()> openPrintScreen,
                                         std::function<void()> worksheetRebuilt, QWidget* parent)
    : QDialog(parent), m_logic(std::move(logic)), m_openPrintScreen(std::move(openPrintScreen)),
      m_worksheetRebuilt(std::move(worksheetRebuilt))
{
    setObjectName(QStringLiteral("FormPrint0"));
    setWindowTitle(QStringLiteral("印刷設定"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* title = new QLabel(QStringLiteral("印刷設定"), this);
    title->setObjectName(QStringLiteral("Label1"));
    QFont titleFont = title->font();
    titleFont.setPointSize(20);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* levelHeading = new QLabel(QStringLiteral("レベルを選んでください"), this);
    levelHeading->setObjectName(QStringLiteral("Label2"));
    m_levels = new QListWidget(this);
    m_levels->setObjectName(QStringLiteral("List1"));
    m_levels->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_levels->setAccessibleName(QStringLiteral("レベル"));
    for (int level = 1; level <= WorksheetSettings::kLevelCount; ++level)
        m_levels->addItem(QString::number(level));
    QFont listFont = m_levels->font();
    listFont.setPointSize(13);
    m_levels->setFont(listFont);
    m_levels->setFixedWidth(120);
    levelHeading->setBuddy(m_levels);
    auto* hint = new QLabel(
        QStringLiteral("Shiftを押しながら選ぶと複数選択できます(そのうち20問が印刷されます)"),
        this);
    hint->setObjectName(QStringLiteral("Label3"));
    hint->setWordWrap(true);

    auto* optionBox = new QGroupBox(this);
    auto* optionLayout = new QVBoxLayout(optionBox);
    for (int option = 1; option <= 5; ++option) {
        auto* button = new QRadioButton(QString::fromUtf8(kOptionCaptions[option - 1]), optionBox);
        button->setObjectName(QStringLiteral("Option1_%1").arg(option));
        // Every click rebuilds, also on the option already chosen: new blanks, a new order.
        connect(button, &QRadioButton::clicked, this,
                [this, option] { m_logic->chooseOption(option); });
        optionLayout->addWidget(button);
        m_options[option] = button;
    }
    m_shuffle = new QCheckBox(QStringLiteral("順序を変える"), this);
    m_shuffle->setObjectName(QStringLiteral("Check1"));
    connect(m_shuffle, &QCheckBox::toggled, this, [this](bool on) { m_logic->setShuffle(on); });
    // A click on a level rebuilds the table once: through the change of the selection, or, when
    // the click leaves the selection as it was, on its own.
    connect(m_levels, &QListWidget::itemSelectionChanged, this, [this] {
        m_levelsChangedSincePress = true;
        levelsChanged();
    });
    connect(m_levels, &QListWidget::clicked, this, [this] {
        if (!m_levelsChangedSincePress)
            levelsChanged();
    });
    m_levels->viewport()->installEventFilter(this);

    auto* rebuild = makeButton(QStringLiteral("Command3"), QStringLiteral("再並べ替え"), this);
    auto* toPrint = makeButton(QStringLiteral("Command1"), QStringLiteral("印刷へ"), this);
    auto* back = makeButton(QStringLiteral("Command2"), QStringLiteral("もどる"), this);
    connect(rebuild, &QPushButton::clicked, this, [this] { m_logic->rebuild(); });
    connect(toPrint, &QPushButton::clicked, this, [this] { m_logic->goToPrint(); });
    connect(back, &QPushButton::clicked, this, [this] { m_logic->back(); });
    toPrint->setDefault(true);

    auto* levelColumn = new QVBoxLayout;
    levelColumn->addWidget(levelHeading);
    levelColumn->addWidget(m_levels, 1);
    auto* choiceColumn = new QVBoxLayout;
    choiceColumn->addWidget(optionBox);
    choiceColumn->addSpacing(8);
    choiceColumn->addWidget(m_shuffle);
    choiceColumn->addWidget(rebuild, 0, Qt::AlignLeft);
    choiceColumn->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(levelColumn);
    columns->addSpacing(24);
    columns->addLayout(choiceColumn, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(toPrint);
    bottom->addWidget(back);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->addWidget(title);
    layout->addSpacing(8);
    layout->addLayout(columns, 1);
    layout->addWidget(hint);
    layout->addSpacing(8);
    layout->addLayout(bottom);

    m_logic->setView(this);
    m_logic->load();
    resize(520, 520);
}

PrintSettingsDialog::~PrintSettingsDialog() = default;

bool PrintSettingsDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_levels->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick))
        m_levelsChangedSincePress = false;
    return QDialog::eventFilter(watched, event);
}

void PrintSettingsDialog::levelsChanged()
{
    std::array<bool, WorksheetSettings::kLevelCount> levels{};
    for (int row = 0; row < m_levels->count(); ++row)
        levels[static_cast<size_t>(row)] = m_levels->item(row)->isSelected();
    m_logic->setSelectedLevels(levels);
}

void PrintSettingsDialog::showChoices(const std::array<bool, 10>& levels, int option, bool shuffle)
{
    const QSignalBlocker blockLevels(m_levels);
    const QSignalBlocker blockShuffle(m_shuffle);
    for (int row = 0; row < m_levels->count(); ++row)
        m_levels->item(row)->setSelected(levels[static_cast<size_t>(row)]);
    m_levels->setCurrentRow(0, QItemSelectionModel::NoUpdate);
    for (int i = 1; i <= 5; ++i) {
        const QSignalBlocker blockOption(m_options[i]);
        m_options[i]->setChecked(i == option);
    }
    m_shuffle->setChecked(shuffle);
}

void PrintSettingsDialog::openPrintScreen()
{
    if (m_openPrintScreen)
        m_openPrintScreen();
}

void PrintSettingsDialog::closeScreen()
{
    close();
}

void PrintSettingsDialog::worksheetRebuilt()
{
    if (m_worksheetRebuilt)
        m_worksheetRebuilt();
}
