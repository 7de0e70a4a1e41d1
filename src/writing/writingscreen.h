#pragma once

#include "core/screen.h"
#include "drill/studyrecorder.h"
#include "writing/writingdrill.h"
#include "writing/writingview.h"

#include <array>
#include <functional>
#include <memory>
#include <vector>

class Clock;
class MessageBox;
class QCheckBox;
class QLabel;
class QPushButton;
class QStackedLayout;
class Records;
class ScreenNavigator;
class Sleeper;
class SoundCues;
class StudyCache;
class WritingBox;
class WritingFinishView;
struct SharedState;

// What the writing screen takes from above its folder. Left empty, the pupil's 「書き順も見る」
// starts unticked and is not kept, and there is no practice sheet to print.
struct WritingHooks
{
    std::function<void(const std::vector<MissedKanji>&)> printPracticeSheet;
    std::function<bool(int pupil)> loadCheckOrder;
    std::function<void(int pupil, bool checkOrder)> saveCheckOrder;
};

struct WritingServices
{
    SharedState& state;
    ScreenNavigator& navigator;
    SoundCues& sound;
    const Clock& clock;
    MessageBox& messages;
    Sleeper& sleeper;    // the study log's lock retries
    Records& records;    // its file calls write the study log
    StudyCache& studies; // the pupils' studies, kept across the screens
    WritingHooks hooks;
};

// The writing drill `writingScreen`: the reading and meaning of an idiom, four boxes to write
// its kanji in, one after the other, and the finish view at the end. Its WritingDrill decides;
// the screen shows, plays the idiom's voice and passes the pupil's ink on.
class WritingScreen : public Screen, private WritingView
{
    Q_OBJECT
public:
    explicit WritingScreen(WritingServices services, QWidget* parent = nullptr);
    ~WritingScreen() override;

    void activate() override;
    QString windowCaption() const override;

    WritingBox* box(int index) const { return m_boxes.at(static_cast<size_t>(index)); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showQuestion(const DrillQuestion& question, int number, int count) override;
    void setCurrentBox(int box) override;
    void markAccepted(int box) override;
    void showRetry(int box, const QString& hint, const Strokes& model, int flashStroke) override;
    void showModel(int box, const Strokes& model) override;
    void showFinish(const WritingSummary& summary) override;

    QWidget* buildQuestionPage();
    QWidget* buildButtons();
    // The drill's questions; empty when there is nothing to write or the idioms cannot be read.
    std::vector<DrillQuestion> planQuestions();
    void handIn();
    void playVoice();
    void checkOrderToggled(bool checked);
    void leave();
    void setRetryLine(const QString& hint);
    QString logPath() const;

    WritingServices m_services;
    StudyRecorder m_recorder;
    std::unique_ptr<WritingDrill> m_drill;
    QString m_idiom;
    std::vector<MissedKanji> m_missed; // what the practice sheet prints
    int m_currentBox = 0;
    bool m_leaving = false;

    QStackedLayout* m_pages = nullptr;
    QLabel* m_counter = nullptr; // writingCounter 「3問目／10問」
    QLabel* m_reading = nullptr; // writingReading
    QLabel* m_meaning = nullptr; // writingMeaning
    QLabel* m_retry = nullptr;   // writingRetry 「もういちど」
    QLabel* m_hint = nullptr;    // writingHint
    std::array<WritingBox*, 4> m_boxes{};
    QPushButton* m_listen = nullptr;   // writingListen 「もういちど聞く」
    QPushButton* m_undo = nullptr;     // writingUndo 「1画もどす」
    QPushButton* m_clear = nullptr;    // writingClear 「けす」
    QPushButton* m_done = nullptr;     // writingDone 「できた」
    QCheckBox* m_checkOrder = nullptr; // writingCheckOrder 「書き順も見る」
    QPushButton* m_back = nullptr;     // writingBack 「やめる」
    WritingFinishView* m_finish = nullptr;
};
