#include "drill/drillengine.h"

#include "core/catalogue.h"
#include "core/sharedstate.h"
#include "drill/idiomtable.h"
#include "drill/reviewsource.h"
#include "drill/tiledraw.h"
#include "platform/clock.h"
#include "platform/events.h"
#include "platform/messagebox.h"
#include "platform/sleeper.h"
#include "records/records.h"
#include "review/pupilstudy.h"
#include "review/sharedpupilsettings.h"
#include "review/studycache.h"
#include "sound/soundcues.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

const QString kVoiceFolderName = QStringLiteral("四字熟語音声/");
constexpr int kPauseBeforeFinishScreen = 1000; // milliseconds
constexpr int kGiveAwayAfter = 4;              // wrong readings

} // namespace

// Marks an event of the screen as being handled. When the outermost one is done, the clicks
// that came in meanwhile are handled and the next screen is asked for: the navigator may
// delete this screen as soon as it runs, so nothing of the screen may still be on the stack
// then.
class DrillEngine::Entry
{
public:
    explicit Entry(DrillEngine& engine) : m_engine(engine) { ++m_engine.m_depth; }
    ~Entry() noexcept(false)
    {
        --m_engine.m_depth;
        // When the program is being ended from below, nothing more may run.
        if (std::uncaught_exceptions() > m_exceptions)
            return;
        m_engine.publish();
        if (m_engine.m_depth == 0 && !m_engine.m_settling)
            m_engine.settle();
    }
    Entry(const Entry&) = delete;
    Entry& operator=(const Entry&) = delete;

private:
    DrillEngine& m_engine;
    const int m_exceptions = std::uncaught_exceptions();
};

DrillEngine::DrillEngine(DrillServices services, DrillView& view)
    : m_state(services.state), m_run(services.state.drillRun), m_services(services), m_view(view),
      m_idioms(std::make_unique<IdiomTable>()),
      m_log(services.state, services.clock, services.messages, services.records.fileCalls(),
            services.sleeper)
{
}

DrillEngine::~DrillEngine() = default;

// ---- events of the screen

void DrillEngine::kanaTileClicked(int tile)
{
    click(Click::KanaTile, tile);
}

void DrillEngine::kanjiTileClicked(int tile)
{
    click(Click::KanjiTile, tile);
}

void DrillEngine::readingOkClicked()
{
    click(Click::ReadingOk);
}

void DrillEngine::idiomOkClicked()
{
    click(Click::IdiomOk);
}

void DrillEngine::clearOneClicked()
{
    click(Click::ClearOne);
}

void DrillEngine::clearAllClicked()
{
    click(Click::ClearAll);
}

void DrillEngine::voiceHintClicked()
{
    click(Click::VoiceHint);
}

void DrillEngine::nextClicked()
{
    click(Click::Next);
}

void DrillEngine::practiceBackClicked()
{
    click(Click::PracticeBack);
}

void DrillEngine::practiceShowAnswerClicked()
{
    click(Click::PracticeShowAnswer);
}

void DrillEngine::practiceNextClicked()
{
    click(Click::PracticeNext);
}

void DrillEngine::practiceMemorisedClicked()
{
    click(Click::PracticeMemorised);
}

void DrillEngine::reviewBackClicked()
{
    click(Click::ReviewBack);
}

void DrillEngine::reviewMenuClicked()
{
    click(Click::ReviewMenu);
}

void DrillEngine::click(Click click, int index)
{
    if (m_depth > 0) {
        m_queued.push_back({click, index});
        return;
    }
    Entry entry(*this);
    handle(click, index);
}

void DrillEngine::handle(Click click, int index)
{
    // The review's finish view is shown once the drill has ended.
    if (click == Click::ReviewMenu) {
        if (m_display.reviewFinishVisible)
            handOver(ScreenId::Hub);
        return;
    }
    if (ending())
        return;
    DrillDisplay& d = m_display;
    switch (click) {
    case Click::KanaTile:
        kanaTile(index);
        break;
    case Click::KanjiTile:
        kanjiTile(index);
        break;
    case Click::ReadingOk:
        if (d.readingPanelVisible && d.readingOkVisible)
            openIdiomStage();
        break;
    case Click::IdiomOk:
        if (d.okVisible && d.okEnabled)
            judgeIdiom();
        break;
    case Click::ClearOne:
        if (d.clearButtonsVisible && d.clearButtonsEnabled) {
            for (int slot = DrillDisplay::kAnswerSlots; slot >= 1; --slot) {
                if (!d.slotTexts[slot].isEmpty()) {
                    d.slotTexts[slot].clear();
                    m_kanjiSlot = slot - 1;
                    break;
                }
            }
            publish();
            m_view.focusElement(DrillFocus::IdiomOk);
        }
        break;
    case Click::ClearAll:
        if (d.clearButtonsVisible && d.clearButtonsEnabled) {
            for (int slot = 1; slot <= DrillDisplay::kAnswerSlots; ++slot)
                d.slotTexts[slot].clear();
            d.readingLine.clear();
            m_kanjiSlot = 0;
            publish();
            m_view.focusElement(DrillFocus::IdiomOk);
        }
        break;
    case Click::VoiceHint:
        voiceHint();
        break;
    case Click::Next:
        next();
        break;
    case Click::PracticeBack:
        if (d.backVisible)
            practiceBack();
        break;
    case Click::PracticeShowAnswer:
        if (d.showAnswerVisible) {
            d.practiceNextVisible = true;
            d.memorisedVisible = true;
            d.showAnswerVisible = false;
            showPracticeAnswer();
        }
        break;
    case Click::PracticeNext:
        if (d.practiceNextVisible)
            practiceNext();
        break;
    case Click::PracticeMemorised:
        if (d.memorisedVisible)
            practiceMemorised();
        break;
    case Click::ReviewBack:
        if (d.reviewBackVisible)
            finishDrill();
        break;
    case Click::ReviewMenu:
        break;
    }
}

void DrillEngine::settle()
{
    m_settling = true;
    while (!m_queued.empty()) {
        const QueuedClick queued = m_queued.front();
        m_queued.pop_front();
        Entry entry(*this);
        handle(queued.click, queued.index);
    }
    m_settling = false;
    if (m_handOver && !m_handedOver) {
        m_handedOver = true;
        m_services.navigator.show(*m_handOver);
        m_services.navigator.unload(ScreenId::Drill);
    }
}

// ---- setup, question order, clock and end

void DrillEngine::setUpDrill()
{
    Entry entry(*this);
    if (m_setUp)
        return;
    m_setUp = true;
    m_services.navigator.unload(ScreenId::Hub);
    m_services.navigator.setWaitFormVisible(false);
    m_run.drillEnding = false;
    m_run.answerLocked = false;
    m_run.nextLocked = false;

    const int item = m_state.drillItemNo;
    const bool review = m_state.reviewDrill;
    if (!review && !isValidItemNo(item)) {
        abandon(QStringLiteral("ドリルの番号（%1）が正しくありません。").arg(item));
        return;
    }
    const QTime now = m_services.clock.now().time();
    if (review)
        m_status.setUpReview(m_state, now, m_display);
    else
        m_status.setUp(m_state, m_services.records.tables(), now, m_display);
    m_walk.start(0);

    const QString dataFileName = m_state.programFolder + kIdiomDataFileName;
    const Status loaded = m_idioms->loadIdiomTable(dataFileName);
    if (!loaded.ok()) {
        abandon(loaded.message);
        return;
    }
    if (review) {
        const Status started = startReview();
        if (!started.ok()) {
            abandon(started.message);
            return;
        }
    } else {
        m_source = std::make_unique<RangeSource>((item + 1) / 2);
    }
    m_source->build(*m_idioms, m_questions);
    if (review && m_questions.questionCount() == 0) {
        abandon(QStringLiteral("いま復習する熟語はありません。"));
        return;
    }
    if (m_questions.questionCount() == 0) {
        // Nothing to ask: a test would record a time for no questions, a walk would never end.
        abandon(QStringLiteral("四字熟語のデータファイル「%1」に「%2」の問題がありません。")
                    .arg(companionFileName(dataFileName), m_state.itemName[item]));
        return;
    }

    m_startMilliseconds = m_services.clock.monotonicMilliseconds();
    m_display.clockRunning = true;
    m_display.reviewBackVisible = review;
    if (!review && item % 2 == 1)
        startPracticeWalk();
    else
        nextQuestion();
}

void DrillEngine::nextQuestion()
{
    if (m_run.timeOver || m_run.answerLocked || ending())
        return;
    resetAnswerArea();
    const int count = m_questions.questionCount();
    const int finished = m_questions.finishedCount();
    m_display.remaining = QString::number(count - finished);
    if (finished == count) {
        finishDrill();
        return;
    }
    const int r = m_source->pick(m_questions, m_services.random, m_previousQuestion);
    m_previousQuestion = r;
    m_currentQuestion = r;
    const DrillQuestion& question = m_questions.question(r);
    m_currentIdiom = question.idiom;
    m_currentMeaning = question.meaning;
    m_currentReading = question.reading;
    presentQuestion();
}

void DrillEngine::clockTick()
{
    Entry entry(*this);
    if (!m_display.clockRunning || ending())
        return;
    measureElapsed();
    m_status.updateGauge(m_elapsedSeconds, m_display);
    letEventsRun();
    if (m_status.timed() && m_elapsedSeconds >= timeLimit()) {
        if (!m_run.answerLocked && !m_run.drillEnding) {
            m_run.timeOver = true;
            m_display.clockRunning = false;
            finishDrill();
        }
        letEventsRun();
    }
}

void DrillEngine::minuteTick()
{
    Entry entry(*this);
    m_display.minutes =
        StatusPanel::minutesSinceChosen(m_state.pupilStartTime, m_services.clock.now().time());
}

void DrillEngine::addPenalty(int seconds)
{
    m_startMilliseconds -= qint64(seconds) * 1000;
}

void DrillEngine::measureElapsed()
{
    const qint64 milliseconds = m_services.clock.monotonicMilliseconds() - m_startMilliseconds;
    m_elapsedSeconds = static_cast<int>(std::nearbyint(double(milliseconds) / 1000.0));
}

void DrillEngine::finishDrill()
{
    letEventsRun();
    if (m_run.drillEnding)
        return;
    m_run.drillEnding = true;
    if (m_state.reviewDrill) {
        finishReview();
        return;
    }
    m_display.closingVisible = true;
    m_display.closingTimeOver = m_run.timeOver;
    letEventsRun();

    const int item = m_state.drillItemNo;
    if (isPracticeItem(m_state, item)) {
        m_services.navigator.setWaitFormVisible(true);
        handOver(ScreenId::Hub);
        return;
    }
    m_display.clockRunning = false;
    if (!m_run.timeOver) {
        // The last tick may lie up to a second back, and a penalty may have come since.
        measureElapsed();
        m_status.updateGauge(m_elapsedSeconds, m_display);
    }
    m_state.drillResult = m_run.timeOver ? kTimeOverResult : m_elapsedSeconds;
    m_services.records.recorder().recordResult(item);
    m_services.navigator.setWaitFormVisible(true);
    m_services.sleeper.waitWhileEventsRun(kPauseBeforeFinishScreen);
    handOver(ScreenId::Finish);
}

Status DrillEngine::startReview()
{
    Status loaded;
    const std::shared_ptr<const PupilStudy> study =
        m_services.studies.study(m_log.logPath(), m_state.pupilNo, &loaded);
    if (!loaded.ok())
        return loaded;
    m_examDate = QDate();
    if (m_services.examDates) {
        Status read; // a fault was told by the hub the review was started from
        m_examDate = m_services.examDates->exam(m_state.pupilNo, &read).date;
    }
    m_source = std::make_unique<ReviewSource>(*study, m_services.clock.now().date(), m_examDate);
    return Status::success();
}

void DrillEngine::finishReview()
{
    m_display.clockRunning = false;
    m_display.reviewBackVisible = false;
    measureElapsed();
    m_status.updateGauge(m_elapsedSeconds, m_display);
    // Read back from the log, so that the view agrees with what the hub will show.
    Status loaded;
    const std::shared_ptr<const PupilStudy> after =
        m_services.studies.study(m_log.logPath(), m_state.pupilNo, &loaded);
    if (!loaded.ok())
        m_services.messages.show(m_state.contentName, loaded.message);
    m_display.reviewSummary =
        ReviewTexts::summary(m_reviewed, *after, m_services.clock.now().date(), m_examDate);
    m_display.reviewFinishVisible = true;
    publish();
    m_view.focusElement(DrillFocus::ReviewMenu);
}

void DrillEngine::logAnswer(bool right)
{
    const bool review = m_state.reviewDrill;
    const DrillQuestion& question = m_questions.question(m_currentQuestion);
    const StudyEvent event =
        m_log.idiomJudged(question, review ? StudyDrill::Review : StudyDrill::Test,
                          review ? 0 : m_state.drillItemNo, right);
    const auto sameIdiom = [&](const ReviewedIdiom& asked) {
        return asked.idiom == question.idiom;
    };
    if (review && std::none_of(m_reviewed.begin(), m_reviewed.end(), sameIdiom))
        m_reviewed.push_back(
            {question.idiom, question.reading, question.meaning, event.rightFirstTry()});
}

void DrillEngine::abandon(const QString& message)
{
    m_run.drillEnding = true;
    m_display.clockRunning = false;
    publish();
    m_services.messages.show(m_state.contentName, message);
    handOver(ScreenId::Hub);
}

void DrillEngine::handOver(ScreenId screen)
{
    m_display.clockRunning = false;
    if (!m_handOver)
        m_handOver = screen;
}

bool DrillEngine::ending() const
{
    return m_run.drillEnding || m_handOver.has_value();
}

// ---- one question

void DrillEngine::resetAnswerArea()
{
    for (int slot = 1; slot <= DrillDisplay::kAnswerSlots; ++slot)
        m_display.slotTexts[slot].clear();
    m_display.readingLine.clear();
    m_kanjiSlot = 0;
    m_run.nextLocked = false;
    m_display.okEnabled = true;
    m_display.clearButtonsEnabled = true;
    m_display.kanjiTilesEnabled = true;
}

void DrillEngine::showMeaning(const QString& meaning)
{
    m_display.meaning = meaning;
    m_display.meaningLeftAligned = meaning.size() > kMeaningCentredUpTo;
}

void DrillEngine::presentQuestion()
{
    DrillDisplay& d = m_display;
    m_log.questionShown();
    showMeaning(m_currentMeaning);
    d.kanjiPanelVisible = false;
    const DecoyIdioms& decoys = m_source->decoys(m_currentQuestion);
    d.kanjiTiles =
        TileDraw::drawKanjiTiles(decoys.range, decoys.others, m_currentIdiom, m_services.random);
    d.kanaTiles = TileDraw::drawKanaTiles(m_currentReading, m_services.random);
    d.readingPanelVisible = true;
    d.readingOkVisible = false;
    d.okVisible = false;
    d.noteVisible = true;
    d.hintVisible = true;
    d.hintEnabled = true;

    letEventsRun();
    if (ending())
        return;
    playVoice(2);
    letEventsRun();
    if (ending())
        return;

    d.kanjiPanelVisible = true;
    d.slotsVisible = false;
    d.clearButtonsVisible = false;
    d.showAnswerVisible = false;
    m_run.answerLocked = false;
}

void DrillEngine::kanaTile(int tile)
{
    if (tile < 1 || tile > DrillDisplay::kKanaTiles || !m_display.readingPanelVisible ||
        m_display.kanaTiles[tile].isEmpty())
        return;
    m_display.readingLine += m_display.kanaTiles[tile];
    letEventsRun();
    if (ending())
        return;
    const QString& line = m_display.readingLine;
    if (line.size() != 4 && line == m_currentReading.left(line.size()))
        return;
    judgeReading();
}

void DrillEngine::judgeReading()
{
    const QString entered = m_display.readingLine;
    if (entered == m_currentReading.left(4)) {
        m_services.sound.playCorrectCue();
        m_readingMistakes = 0;
        openIdiomStage();
        return;
    }
    ++m_readingMistakes;
    m_log.readingWrong();
    m_services.sound.playWrongCue();
    addPenalty(kReadingPenalty);
    int agreeing = 0;
    while (agreeing < entered.size() && agreeing < m_currentReading.size() &&
           entered.at(agreeing) == m_currentReading.at(agreeing))
        ++agreeing;
    // What was entered right stays; every wrong attempt gives one more character away.
    m_display.readingLine = m_currentReading.left(std::max(m_readingMistakes, agreeing));
    if (m_readingMistakes >= kGiveAwayAfter) {
        m_log.readingGivenAway();
        m_display.readingOkVisible = true;
        m_display.readingLine = m_currentReading.left(4);
        letEventsRun();
        m_readingMistakes = 0;
    }
}

void DrillEngine::openIdiomStage()
{
    DrillDisplay& d = m_display;
    d.readingLine.clear();
    d.readingPanelVisible = false;
    d.readingOkVisible = false;
    d.okVisible = true;
    d.slotsVisible = true;
    d.clearButtonsVisible = true;
}

void DrillEngine::kanjiTile(int tile)
{
    DrillDisplay& d = m_display;
    // The reading panel covers the tiles: a click meant for it must not fill a hidden slot.
    if (tile < 1 || tile > DrillDisplay::kKanjiTiles || d.readingPanelVisible || !d.slotsVisible ||
        !d.kanjiPanelVisible || !d.kanjiTilesEnabled || d.kanjiTiles[tile].isEmpty())
        return;
    if (d.okVisible && d.okEnabled) {
        publish();
        m_view.focusElement(DrillFocus::IdiomOk);
    }
    if (m_kanjiSlot < DrillDisplay::kAnswerSlots) {
        ++m_kanjiSlot;
        d.slotTexts[m_kanjiSlot] = d.kanjiTiles[tile];
    }
}

void DrillEngine::judgeIdiom()
{
    if (m_run.timeOver || m_run.answerLocked)
        return;
    DrillDisplay& d = m_display;
    m_run.answerLocked = true;
    d.okEnabled = false;
    d.clearButtonsEnabled = false;
    d.hintEnabled = false;
    const QString answer = d.slotTexts[1] + d.slotTexts[2] + d.slotTexts[3] + d.slotTexts[4];
    logAnswer(answer == m_currentIdiom);

    if (answer == m_currentIdiom) {
        d.readingLine = m_currentReading;
        letEventsRun();
        if (ending())
            return;
        m_services.sound.playCorrectCue();
        playVoice(1);
        m_questions.answeredRight(m_currentQuestion);
        m_run.answerLocked = false;
        nextQuestion();
        return;
    }

    for (int k = 1; k <= DrillDisplay::kAnswerSlots; ++k)
        d.slotTexts[DrillDisplay::kAnswerSlots + k] = m_currentIdiom.mid(k - 1, 1);
    d.correctionReading = m_currentReading;
    d.correctionVisible = true;
    d.nextVisible = true;
    d.nextEnabled = false;
    d.kanjiTilesEnabled = false;
    letEventsRun();
    if (ending())
        return;
    m_questions.answeredWrong(m_currentQuestion);
    m_services.sound.playWrongCue();
    playVoice(1);
    addPenalty(kIdiomPenalty);
    d.nextEnabled = true;
    publish();
    m_view.focusElement(DrillFocus::Next);
}

void DrillEngine::next()
{
    DrillDisplay& d = m_display;
    if (m_run.nextLocked || !d.correctionVisible || !d.nextVisible || !d.nextEnabled)
        return;
    m_run.nextLocked = true;
    d.okEnabled = true;
    letEventsRun();
    if (ending())
        return;
    for (int k = DrillDisplay::kAnswerSlots + 1; k <= 2 * DrillDisplay::kAnswerSlots; ++k)
        d.slotTexts[k].clear();
    d.correctionReading.clear();
    d.correctionVisible = false;
    d.nextVisible = false;
    m_run.answerLocked = false;
    nextQuestion();
}

void DrillEngine::voiceHint()
{
    if (!m_display.hintVisible || !m_display.hintEnabled || m_run.answerLocked)
        return;
    playVoice(1);
    addPenalty(kHintPenalty);
}

// ---- practice walk

void DrillEngine::startPracticeWalk()
{
    DrillDisplay& d = m_display;
    m_walk.start(m_questions.questionCount());
    d.backVisible = true;
    d.showAnswerVisible = true;
    d.practiceNextVisible = false;
    d.memorisedVisible = false;
    d.slotsVisible = true;
    showNextPractice();
}

void DrillEngine::showNextPractice()
{
    if (m_walk.hasQuit())
        return;
    for (int slot = 1; slot <= DrillDisplay::kAnswerSlots; ++slot)
        m_display.slotTexts[slot].clear();
    m_display.readingLine.clear();
    const int n = m_walk.advance();
    if (n == 0)
        return;
    m_currentQuestion = n;
    const DrillQuestion& question = m_questions.question(n);
    m_currentIdiom = question.idiom;
    m_currentMeaning = question.meaning;
    m_currentReading = question.reading;
    m_log.questionShown();
    showMeaning(m_currentMeaning);
    // The walk asks nothing; what is left are the idioms not yet struck.
    m_display.remaining = QString::number(m_walk.questionCount() - m_walk.markCount());
}

void DrillEngine::showPracticeAnswer()
{
    if (m_walk.hasQuit())
        return;
    for (int k = 1; k <= DrillDisplay::kAnswerSlots; ++k)
        m_display.slotTexts[k] = m_currentIdiom.mid(k - 1, 1);
    m_display.readingLine = m_currentReading;
}

void DrillEngine::practiceNext()
{
    m_display.practiceNextVisible = false;
    m_display.memorisedVisible = false;
    m_display.showAnswerVisible = true;
    showNextPractice();
}

void DrillEngine::practiceMemorised()
{
    m_log.struckAsKnown(m_questions.question(m_walk.cursor()), m_state.drillItemNo);
    if (m_walk.strikeCurrent())
        practiceBack();
    practiceNext();
}

void DrillEngine::practiceBack()
{
    m_walk.quit();
    m_display.clockRunning = false;
    letEventsRun();
    m_services.navigator.setWaitFormVisible(true);
    handOver(ScreenId::Hub);
}

// ---- helpers

QString DrillEngine::voicePath(const QString& idiom, int n) const
{
    return m_state.programFolder + kVoiceFolderName + idiom.left(3) + QString::number(n);
}

void DrillEngine::playVoice(int n)
{
    m_services.sound.playVoice(voicePath(m_currentIdiom, n));
}

void DrillEngine::letEventsRun()
{
    publish();
    letPendingEventsRun();
}

void DrillEngine::publish()
{
    if (m_shown && *m_shown == m_display)
        return;
    m_shown = m_display;
    m_view.showDisplay(m_display);
}
