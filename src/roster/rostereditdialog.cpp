#include "roster/rostereditdialog.h"

#include "core/sharedstate.h"
#include "roster/accentcolour.h"
#include "roster/rosterentry.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>

#include <functional>

namespace {

// Refuses a change that would make a name longer than its roster field as a whole, so an input
// method's commit is never cut in the middle of a word; the dialog then says why.
class NameWidthValidator : public QValidator
{
public:
    NameWidthValidator(std::function<void()> refused, QObject* parent)
        : QValidator(parent), m_refused(std::move(refused))
    {
    }
    State validate(QString& input, int&) const override
    {
        if (input.size() <= kRosterTextWidth)
            return Acceptable;
        m_refused();
        return Invalid;
    }

private:
    std::function<void()> m_refused;
};

QLabel* makeLabel(const QString& name, const QString& text, int pointSize, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPointSize(pointSize);
    label->setFont(font);
    return label;
}

QLineEdit* makeBox(const QString& name, int width, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    QFont font = box->font();
    font.setPointSize(18);
    box->setFont(font);
    box->setFixedWidth(width);
    return box;
}

} // namespace

RosterEditDialog::RosterEditDialog(QWidget* owner, const SharedState& state, MessageBox& messages,
                                   ScreenNavigator& navigator)
    : QDialog(owner), m_editor(state, messages, navigator)
{
    setObjectName(QStringLiteral("FrmName2"));
    setWindowTitle(kRosterEditTitle);
    setWindowModality(Qt::ApplicationModal);
    QPalette accent = palette();
    accent.setColor(QPalette::Window, colourFromBlueGreenRed(state.accentColour));
    accent.setColor(QPalette::WindowText, Qt::white);
    setPalette(accent);
    setAutoFillBackground(true);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(20);
    grid->addWidget(makeLabel(QStringLiteral("Label2"), QStringLiteral("名前"), 16, this), 0, 0);
    grid->addWidget(makeLabel(QStringLiteral("Label1"), QStringLiteral("生まれた年"), 16, this), 0,
                    1);
    m_nameLimitNote = makeLabel(QStringLiteral("nameLimitNote"), QString(), 14, this);
    auto* nameValidator = new NameWidthValidator(
        [this] {
            m_nameLimitNote->setText(
                QStringLiteral("名前は%1文字までです。").arg(kRosterTextWidth));
        },
        this);
    for (int k = 1; k <= RosterBoxes::kLines; ++k) {
        m_names[k] = makeBox(QStringLiteral("Text1_%1").arg(k), 360, this);
        m_names[k]->setValidator(nameValidator);
        connect(m_names[k], &QLineEdit::textEdited, m_nameLimitNote, &QLabel::clear);
        m_names[k]->setAccessibleName(QStringLiteral("%1人目の名前").arg(k));
        m_birthYears[k] = makeBox(QStringLiteral("Text2_%1").arg(k), 140, this);
        m_birthYears[k]->setInputMethodHints(Qt::ImhPreferNumbers);
        m_birthYears[k]->setAccessibleName(QStringLiteral("%1人目の生まれた年").arg(k));
        grid->addWidget(m_names[k], k, 0);
        grid->addWidget(m_birthYears[k], k, 1);
    }

    auto* change = new QPushButton(QStringLiteral("変更"), this);
    change->setObjectName(QStringLiteral("Command1"));
    auto* back = new QPushButton(QStringLiteral("もどる"), this);
    back->setObjectName(QStringLiteral("Command2"));
    for (QPushButton* button : {change, back}) {
        QFont font = button->font();
        font.setPointSize(16);
        font.setBold(true);
        button->setFont(font);
        button->setMinimumSize(140, 48);
        button->setAutoDefault(false);
    }
    connect(change, &QPushButton::clicked, this, [this] { writeRoster(); });
    connect(back, &QPushButton::clicked, this, [this] { goBack(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(change);
    buttons->addSpacing(24);
    buttons->addWidget(back);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 24, 32, 24);
    QLabel* title = makeLabel(QStringLiteral("Label4"), QStringLiteral("名前変更"), 28, this);
    QFont titleFont = title->font();
    titleFont.setBold(true);
    title->setFont(titleFont);
    layout->addWidget(title);
    layout->addSpacing(12);
    layout->addLayout(grid);
    layout->addWidget(m_nameLimitNote);
    m_nameLimitNote->setMinimumHeight(m_nameLimitNote->fontMetrics().height());
    layout->addWidget(makeLabel(QStringLiteral("Label3"),
                                QStringLiteral("※生まれた年は早生まれの場合は1年引いてください"),
                                14, this));
    layout->addSpacing(16);
    layout->addLayout(buttons);

    loadBoxes();
}

void RosterEditDialog::loadBoxes()
{
    const RosterBoxes boxes = m_editor.load();
    for (int k = 1; k <= RosterBoxes::kLines; ++k) {
        const bool present = k <= boxes.lineCount;
        m_names[k]->setText(boxes.names[k]);
        m_birthYears[k]->setText(boxes.birthYears[k]);
        // A line the roster does not have cannot be edited: the dialog adds no pupil.
        m_names[k]->setEnabled(present);
        m_birthYears[k]->setEnabled(present);
    }
}

bool RosterEditDialog::writeRoster()
{
    RosterBoxes boxes;
    for (int k = 1; k <= RosterBoxes::kLines; ++k) {
        boxes.names[k] = m_names[k]->text();
        boxes.birthYears[k] = m_birthYears[k]->text();
    }
    return m_editor.write(boxes);
}

void RosterEditDialog::goBack()
{
    reject();
}

void RosterEditDialog::done(int result)
{
    // However the dialog ends ("もどる", Escape, the window's own close button), the name
    // selection screen must come back, once.
    if (!m_wentBack) {
        m_wentBack = true;
        m_editor.back();
    }
    QDialog::done(result);
    deleteLater();
}
