#include "writing/writingscreen.h"

#include "core/labels.h"

#include "core/buttonkeys.h"
#include "core/screennavigator.h"
#include "core/sharedstate.h"
#include "drill/idiomtable.h"
#include "platform/clock.h"
#include "platform/messagebox.h"
#include "records/records.h"
#include "review/studycache.h"
#include "review/studylog.h"
#include "sound/soundcues.h"
#include "writing/builtinstrokes.h"
#include "writing/writingbox.h"
#include "writing/writingfinishview.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedLayout>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const QString kTraceHint = QStringLiteral("うすい字をなぞって書いてみよう");
const QString kNothingToWrite = QStringLiteral("いま書き取りする熟語はありません。");

QLabel* makeLabel(const QString& name, int pointSize, bool bold, QWidget* parent)
{
    QLabel* label = newLabel(name, pointSize, bold, parent);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QPushButton* makeButton(const QString& name, const QString& caption, const QString& key,
                        QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAccessibleName(caption);
    button->setAccessibleDescription(key);
    button->setToolTip(key);
    QFont font = button->font();
    font.setPointSize(16);
    font.setBold(true);
    button->setFont(font);
    button->setMinimumSize(150, 56);
    return button;
}

} // namespace

WritingScreen::WritingScreen(WritingServices services, QWidget* parent)
    : Screen(parent), m_services(std::move(services)),
      m_recorder(m_services.state, m_services.clock, m_services.messages,
                 m_services.records.fileCalls(), m_services.sleeper)
{
    setObjectName(QStringLiteral("writingScreen"));
    setAccessibleName(QStringLiteral("書き取り"));
    setAutoFillBackground(true);
    QPalette screenPalette = palette();
    screenPalette.setColor(QPalette::Window, QColor(0xf4, 0xf1, 0xe8));
    screenPalette.setColor(QPalette::WindowText, QColor(0x1d, 0x1d, 0x1d));
    setPalette(screenPalette);

    m_finish = new WritingFinishView(BuiltInStrokes::get().table, this);
    m_finish->setPrintAvailable(false);
    connect(m_finish, &WritingFinishView::menuClicked, this, &WritingScreen::leave);
    connect(m_finish, &WritingFinishView::printClicked, this, [this] {
        if (m_services.hooks.printPracticeSheet)
            m_services.hooks.printPracticeSheet(m_missed);
    });

    m_pages = new QStackedLayout(this);
    m_pages->addWidget(buildQuestionPage());
    m_pages->addWidget(m_finish);

    // The screen sees the keys before its buttons do: Enter hands in whichever has the focus.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>())
        child->installEventFilter(this);
    letEnterPressButtons(m_finish);
}

WritingScreen::~WritingScreen() = default;

QWidget* WritingScreen::buildQuestionPage()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("writingQuestion"));

    m_counter = makeLabel(QStringLiteral("writingCounter"), 16, true, page);
    m_counter->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_back = makeButton(QStringLiteral("writingBack"), QStringLiteral("やめる"),
                        QStringLiteral("Esc"), page);
    connect(m_back, &QPushButton::clicked, this, &WritingScreen::leave);
    auto* top = new QHBoxLayout;
    top->addWidget(m_counter);
    top->addStretch();
    top->addWidget(m_back);

    m_reading = makeLabel(QStringLiteral("writingReading"), 30, true, page);
    m_meaning = makeLabel(QStringLiteral("writingMeaning"), 18, false, page);
    m_meaning->setWordWrap(true);
    m_listen = makeButton(QStringLiteral("writingListen"), QStringLiteral("もういちど聞く"),
                          QString(), page);
    connect(m_listen, &QPushButton::clicked, this, &WritingScreen::playVoice);
    auto* readingRow = new QHBoxLayout;
    readingRow->addStretch();
    readingRow->addWidget(m_reading);
    readingRow->addSpacing(16);
    readingRow->addWidget(m_listen);
    readingRow->addStretch();

    auto* boxRow = new QHBoxLayout;
    boxRow->setSpacing(16);
    boxRow->addStretch();
    for (int i = 0; i < static_cast<int>(m_boxes.size()); ++i) {
        m_boxes[static_cast<size_t>(i)] = new WritingBox(i, page);
        boxRow->addWidget(m_boxes[static_cast<size_t>(i)]);
    }
    boxRow->addStretch();

    m_retry = makeLabel(QStringLiteral("writingRetry"), 20, true, page);
    m_retry->setText(QStringLiteral("もういちど"));
    m_retry->setStyleSheet(QStringLiteral("color: #c0392b;"));
    m_hint = makeLabel(QStringLiteral("writingHint"), 16, false, page);
    m_hint->setWordWrap(true);
    setRetryLine(QString());
    m_retry->hide();

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(32, 16, 32, 24);
    layout->setSpacing(12);
    layout->addLayout(top);
    layout->addLayout(readingRow);
    layout->addWidget(m_meaning);
    layout->addStretch();
    layout->addLayout(boxRow);
    layout->addWidget(m_retry);
    layout->addWidget(m_hint);
    layout->addStretch();
    layout->addWidget(buildButtons());
    return page;
}

QWidget* WritingScreen::buildButtons()
{
    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("writingButtons"));
    m_undo = makeButton(QStringLiteral("writingUndo"), QStringLiteral("1画もどす"),
                        QStringLiteral("Backspace"), panel);
    m_clear = makeButton(QStringLiteral("writingClear"), QStringLiteral("けす"),
                         QStringLiteral("Delete"), panel);
    m_done = makeButton(QStringLiteral("writingDone"), QStringLiteral("できた"),
                        QStringLiteral("Enter"), panel);
    m_done->setProperty("primary", true);
    m_checkOrder = new QCheckBox(QStringLiteral("書き順も見る"), panel);
    m_checkOrder->setObjectName(QStringLiteral("writingCheckOrder"));
    m_checkOrder->setAccessibleName(m_checkOrder->text());
    m_checkOrder->setAccessibleDescription(
        QStringLiteral("つぎの書き取りから、書き順もしらべます"));
    QFont font = m_checkOrder->font();
    font.setPointSize(14);
    m_checkOrder->setFont(font);

    connect(m_undo, &QPushButton::clicked, this, [this] { box(m_currentBox)->takeBackStroke(); });
    connect(m_clear, &QPushButton::clicked, this, [this] { box(m_currentBox)->clear(); });
    connect(m_done, &QPushButton::clicked, this, &WritingScreen::handIn);
    connect(m_checkOrder, &QCheckBox::toggled, this, &WritingScreen::checkOrderToggled);

    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(16);
    row->addWidget(m_checkOrder);
    row->addStretch();
    row->addWidget(m_undo);
    row->addWidget(m_clear);
    row->addSpacing(24);
    row->addWidget(m_done);
    return panel;
}

QString WritingScreen::windowCaption() const
{
    return m_services.state.contentName + QStringLiteral(" - 書き取り");
}

QString WritingScreen::logPath() const
{
    return m_recorder.logPath();
}

void WritingScreen::activate()
{
    // A message box closing activates the screen again: the drill starts once.
    if (m_drill || m_leaving)
        return;
    const int pupil = m_services.state.pupilNo;
    const bool checkOrder =
        m_services.hooks.loadCheckOrder && m_services.hooks.loadCheckOrder(pupil);
    {
        const QSignalBlocker quiet(m_checkOrder);
        m_checkOrder->setChecked(checkOrder);
    }
    std::vector<DrillQuestion> questions = planQuestions();
    if (questions.empty()) {
        leave();
        return;
    }
    WritingView& view = *this;
    m_drill =
        std::make_unique<WritingDrill>(view, m_recorder, BuiltInStrokes::get().table, checkOrder);
    m_drill->start(std::move(questions));
    m_done->setFocus();
}

std::vector<DrillQuestion> WritingScreen::planQuestions()
{
    SharedState& state = m_services.state;
    const BuiltInStrokes& strokes = BuiltInStrokes::get();
    IdiomTable idioms;
    Status loaded = strokes.loaded;
    if (loaded.ok())
        loaded = idioms.loadIdiomTable(state.programFolder + kIdiomDataFileName);
    std::shared_ptr<const PupilStudy> chosen;
    std::shared_ptr<const PupilStudy> written;
    if (loaded.ok())
        chosen = m_services.studies.study(logPath(), state.pupilNo, &loaded, StudySkill::Choose);
    if (loaded.ok())
        written = m_services.studies.study(logPath(), state.pupilNo, &loaded, StudySkill::Write);
    if (!loaded.ok()) {
        m_services.messages.show(state.contentName, loaded.message);
        return {};
    }
    const WritingPlan plan = WritingPlanning::plan(idioms, *chosen, *written, strokes.table,
                                                   m_services.clock.now().date());
    if (const QString notice = WritingPlanning::leftOutNotice(plan); !notice.isEmpty())
        m_services.messages.show(state.contentName, notice);
    if (plan.questions.empty())
        m_services.messages.show(state.contentName, kNothingToWrite);
    return plan.questions;
}

void WritingScreen::handIn()
{
    if (!m_drill || m_drill->finished())
        return;
    const WritingBox* current = box(m_currentBox);
    // An empty box is a slip of the key, not a try.
    if (current->strokes().isEmpty())
        return;
    m_drill->handIn(current->strokes(), current->boxSize());
    // The drill's own summary lacks the next line: that needs the study with these answers.
    if (m_drill->finished()) {
        Status loaded;
        const std::shared_ptr<const PupilStudy> written = m_services.studies.study(
            logPath(), m_services.state.pupilNo, &loaded, StudySkill::Write);
        if (!loaded.ok())
            m_services.messages.show(m_services.state.contentName, loaded.message);
        showFinish(m_drill->summary(*written, m_services.clock.now().date()));
    }
}

void WritingScreen::playVoice()
{
    if (m_idiom.isEmpty())
        return;
    m_services.sound.playVoice(idiomVoicePath(m_services.state.programFolder, m_idiom));
}

void WritingScreen::checkOrderToggled(bool checked)
{
    if (m_drill)
        m_drill->setCheckOrder(checked);
    if (m_services.hooks.saveCheckOrder)
        m_services.hooks.saveCheckOrder(m_services.state.pupilNo, checked);
}

void WritingScreen::leave()
{
    if (m_leaving)
        return;
    // Every idiom written so far is in the log already: there is nothing to ask or to keep.
    m_leaving = true;
    m_services.navigator.show(ScreenId::Hub);
    m_services.navigator.unload(ScreenId::Writing);
}

void WritingScreen::setRetryLine(const QString& hint)
{
    m_hint->setText(hint);
    m_hint->setAccessibleName(hint);
}

// ---- WritingView

void WritingScreen::showQuestion(const DrillQuestion& question, int number, int count)
{
    m_idiom = question.idiom;
    m_counter->setText(QStringLiteral("%1問目／%2問").arg(number).arg(count));
    m_reading->setText(question.reading);
    m_meaning->setText(question.meaning);
    for (QLabel* label : {m_counter, m_reading, m_meaning})
        label->setAccessibleName(label->text());
    for (WritingBox* each : m_boxes) {
        each->reset();
        each->setState(WritingBox::State::Waiting);
    }
    m_retry->hide();
    setRetryLine(QString());
    m_pages->setCurrentIndex(0);
    // After the question is on the screen: the voice plays to its end before returning.
    QTimer::singleShot(0, this, &WritingScreen::playVoice);
}

void WritingScreen::setCurrentBox(int index)
{
    // A box left after two failed traces keeps its model and ink, no longer framed as current.
    for (WritingBox* each : m_boxes) {
        if (each->state() == WritingBox::State::Current)
            each->setState(WritingBox::State::Waiting);
    }
    m_currentBox = index;
    box(index)->clear();
    box(index)->setState(WritingBox::State::Current);
}

void WritingScreen::markAccepted(int index)
{
    box(index)->setState(WritingBox::State::Accepted);
    m_retry->hide();
    setRetryLine(QString());
}

void WritingScreen::showRetry(int index, const QString& hint, const Strokes& model, int flashStroke)
{
    box(index)->reset();
    if (flashStroke >= 1)
        box(index)->flashStroke(model, flashStroke);
    m_retry->show();
    setRetryLine(hint);
}

void WritingScreen::showModel(int index, const Strokes& model)
{
    box(index)->showModel(model);
    m_retry->show();
    setRetryLine(kTraceHint);
}

void WritingScreen::showFinish(const WritingSummary& summary)
{
    m_missed = summary.missed;
    m_finish->showSummary(summary);
    m_finish->setPrintAvailable(m_services.hooks.printPracticeSheet && !summary.missed.empty());
    m_pages->setCurrentWidget(m_finish);
    m_finish->menuButton()->setFocus();
}

bool WritingScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return Screen::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() & ~Qt::KeypadModifier)
        return Screen::eventFilter(watched, event);
    if (key->key() == Qt::Key_Escape) {
        leave();
        return true;
    }
    if (m_pages->currentWidget() == m_finish)
        return Screen::eventFilter(watched, event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return clickIfShown(m_done);
    case Qt::Key_Backspace:
        return clickIfShown(m_undo);
    case Qt::Key_Delete:
        return clickIfShown(m_clear);
    default:
        return Screen::eventFilter(watched, event);
    }
}
