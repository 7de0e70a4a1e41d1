#pragma once

#include "core/screennavigator.h"
#include "drill/drillquestions.h"
#include "drill/drillview.h"
#include "drill/practicewalk.h"
#include "drill/questionsource.h"
#include "drill/statuspanel.h"
#include "drill/studyrecorder.h"
#include "review/reviewtexts.h"

#include <QString>

#include <deque>
#include <memory>
#include <optional>

struct DrillRunFlags;
struct SharedState;
class Clock;
class ExamDates;
class IdiomTable;
class MessageBox;
class RandomSource;
class Records;
class Sleeper;
class SoundCues;
class StudyCache;

// The services the drill screen uses.
struct DrillServices
{
    SharedState& state;
    ScreenNavigator& navigator;
    SoundCues& sound;
    const Clock& clock;
    RandomSource& random; // the question and tile draws
    MessageBox& messages;
    Sleeper& sleeper;    // the second before the finish screen; the study log's lock retries
    Records& records;    // its file calls write the study log
    StudyCache& studies; // the pupils' studies, kept across the screens
    // The pupils' exam dates, which bring forward the reviews of idioms fading by the exam; none:
    // the plain schedule.
    const ExamDates* examDates = nullptr;
};

// The drill screen `MainFrm`: one drill of the current item for the current pupil. A test
// item asks the range's idioms in random order, first the reading from kana tiles, then the
// idiom from kanji tiles, until each is answered right (twice more after a wrong idiom) or
// the time runs out, then records the result and hands over to the finish screen. A practice
// item walks through the range's idioms and returns to the hub. A review asks the pupil's due
// idioms like a test, without a time limit and without a result, and ends in a finish view of
// its own. Every answer goes into the study log.
//
// Clicks that arrive while another event of the screen is still being handled (they come in
// where the screen lets pending events run, around sounds and while a drill ends) wait and
// are handled, in order, when that event is done; a click counts only on an element that is
// shown and enabled by then. Timer ticks are handled at once; the guards answerLocked,
// nextLocked, drillEnding and timeOver keep them from cutting into judging and ending.
class DrillEngine
{
public:
    DrillEngine(DrillServices services, DrillView& view);
    ~DrillEngine();
    DrillEngine(const DrillEngine&) = delete;
    DrillEngine& operator=(const DrillEngine&) = delete;

    // When the screen is shown (`setUpDrill`); only the first call does anything.
    void setUpDrill();
    void clockTick();  // sTimer1, every second
    void minuteTick(); // sTimer2, every ten seconds

    void kanaTileClicked(int tile);   // Label15(1..6)
    void kanjiTileClicked(int tile);  // Label14(1..12)
    void readingOkClicked();          // Command14
    void idiomOkClicked();            // Command3
    void clearOneClicked();           // Command6 "１文字クリア"
    void clearAllClicked();           // Command2 "クリア"
    void voiceHintClicked();          // "音声ヒント": voice file "1" for ten seconds
    void nextClicked();               // Command4, the correction panel's "次へ"
    void practiceBackClicked();       // Command8 "戻る"
    void practiceShowAnswerClicked(); // Command11 "答えを見る"
    void practiceNextClicked();       // Command10 "次へ"
    void practiceMemorisedClicked();  // Command9 "この問題覚えた"
    void reviewBackClicked();         // reviewBack 「戻る」: ends a review early
    void reviewMenuClicked();         // the review finish view's 「メニューへ」

    const DrillDisplay& display() const { return m_display; }
    const DrillQuestions& questions() const { return m_questions; }
    const PracticeWalk& walk() const { return m_walk; }
    int currentQuestion() const { return m_currentQuestion; }
    const QString& currentIdiom() const { return m_currentIdiom; }
    const QString& currentReading() const { return m_currentReading; }
    int elapsedSeconds() const { return m_elapsedSeconds; }
    int timeLimit() const { return m_status.timeLimit(); }
    int readingMistakes() const { return m_readingMistakes; }
    int kanjiSlot() const { return m_kanjiSlot; }

    // The voice file n (1 or 2) of an idiom, without ".wav".
    QString voicePath(const QString& idiom, int n) const;

    static constexpr int kReadingPenalty = 10;
    static constexpr int kIdiomPenalty = 20;
    static constexpr int kHintPenalty = 10;
    static constexpr qint32 kTimeOverResult = 99999;
    static constexpr int kMeaningCentredUpTo = 28;

private:
    enum class Click {
        KanaTile,
        KanjiTile,
        ReadingOk,
        IdiomOk,
        ClearOne,
        ClearAll,
        VoiceHint,
        Next,
        PracticeBack,
        PracticeShowAnswer,
        PracticeNext,
        PracticeMemorised,
        ReviewBack,
        ReviewMenu
    };
    struct QueuedClick
    {
        Click click;
        int index;
    };
    class Entry;

    void click(Click click, int index = 0);
    void handle(Click click, int index);
    void settle();

    void nextQuestion();
    void resetAnswerArea();
    void presentQuestion();
    void showMeaning(const QString& meaning);
    void kanaTile(int tile);
    void kanjiTile(int tile);
    void judgeReading();
    void openIdiomStage();
    void judgeIdiom();
    void next();
    void voiceHint();
    void addPenalty(int seconds);
    void measureElapsed();
    void finishDrill();
    Status startReview();
    void finishReview();
    void logAnswer(bool right);

    void startPracticeWalk();
    void showNextPractice();
    void showPracticeAnswer();
    void practiceNext();
    void practiceBack();
    void practiceMemorised();

    // Shows a message, then goes back to the hub without a drill.
    void abandon(const QString& message);
    // The screen that follows; asked for once every event of this screen has been handled.
    void handOver(ScreenId screen);
    bool ending() const;
    void letEventsRun();
    void publish();
    void playVoice(int n);

    SharedState& m_state;
    DrillRunFlags& m_run;
    DrillServices m_services;
    DrillView& m_view;
    std::unique_ptr<IdiomTable> m_idioms;
    std::unique_ptr<QuestionSource> m_source;
    DrillQuestions m_questions;
    StudyRecorder m_log;
    std::vector<ReviewedIdiom> m_reviewed; // a review's idioms, by first answer
    QDate m_examDate;                      // the pupil's, as a review started
    PracticeWalk m_walk;
    StatusPanel m_status;
    DrillDisplay m_display;
    std::optional<DrillDisplay> m_shown;

    int m_currentQuestion = 0;
    int m_previousQuestion = 0; // 0 matches no question
    QString m_currentIdiom;
    QString m_currentMeaning;
    QString m_currentReading;
    int m_readingMistakes = 0;
    int m_kanjiSlot = 0;
    qint64 m_startMilliseconds = 0; // monotonic; penalties move it back
    int m_elapsedSeconds = 0;

    bool m_setUp = false;
    int m_depth = 0; // events of this screen being handled, nested ones included
    bool m_settling = false;
    std::deque<QueuedClick> m_queued;
    std::optional<ScreenId> m_handOver;
    bool m_handedOver = false;
};
