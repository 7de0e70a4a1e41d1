#include "writing/writingdrill.h"

#include "core/sharedstate.h"
#include "drill/idiomcompanion.h"
#include "drill/idiomtable.h"
#include "drill/studyrecorder.h"
#include "fakes.h"
#include "platform/filecalls.h"
#include "review/pupilstudy.h"
#include "review/reviewtexts.h"
#include "review/studylog.h"
#include "writingfixture.h"
#include "writinggenerator.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

constexpr double kBox = 300.0;

// What the drill asked the screen to show, one line a call.
class FakeWritingView : public WritingView
{
public:
    void showQuestion(const DrillQuestion& question, int number, int count) override
    {
        calls.append(
            QStringLiteral("question %1/%2 %3").arg(number).arg(count).arg(question.idiom));
    }
    void setCurrentBox(int box) override { calls.append(QStringLiteral("box %1").arg(box)); }
    void markAccepted(int box) override { calls.append(QStringLiteral("accepted %1").arg(box)); }
    void showRetry(int box, const QString& hint, const Strokes& model, int flashStroke) override
    {
        calls.append(QStringLiteral("retry %1 %2 %3").arg(box).arg(hint).arg(flashStroke));
        models.append(model);
    }
    void showModel(int box, const Strokes& model) override
    {
        calls.append(QStringLiteral("model %1").arg(box));
        models.append(model);
    }
    void showFinish(const WritingSummary& summary) override
    {
        calls.append(QStringLiteral("finish"));
        finish = summary;
    }

    QStringList calls;
    QList<Strokes> models;
    WritingSummary finish;
};

const QString kHonmatsu = QStringLiteral("本末転倒");
const QString kJunin = QStringLiteral("十人十色");

// A pupil's study log in a scratch folder, the recorder writing to it and the drill on a fake
// view. Today is 10 April 2026.
class WritingDrillTest : public ::testing::Test
{
protected:
    WritingDrillTest()
    {
        state.commonFolder = dir.path() + u'/';
        state.pupilNo = 7;
    }

    QString logPath() const { return recorder.logPath(); }

    void logAnswer(const QString& idiom, int range, const QDate& day, bool right,
                   StudyDrill drill = StudyDrill::Test)
    {
        StudyEvent event;
        event.date = day;
        event.secondOfDay = 36000;
        event.pupilNo = state.pupilNo;
        event.idiom = idiom;
        event.range = range;
        event.drill = drill;
        event.itemNo = drill == StudyDrill::Test ? 2 * range : 0;
        event.wrongIdiom = !right;
        event.wrongReadings = drill == StudyDrill::Writing && !right ? 1 : 0;
        ASSERT_TRUE(StudyLogWriter(calls, sleeper).append(logPath(), event).ok());
    }

    PupilStudy study(StudySkill skill) const
    {
        PupilStudy loaded(state.pupilNo, skill);
        EXPECT_TRUE(loaded.load(logPath()).ok());
        return loaded;
    }

    std::vector<StudyEvent> logged() const
    {
        std::vector<StudyEvent> events;
        StudyLogReader reader;
        EXPECT_TRUE(reader.open(logPath()).ok());
        while (const StudyLogEntry* entry = reader.next())
            events.push_back(entry->event);
        return events;
    }

    // Rows of range, idiom; readings and meanings are made up.
    IdiomTable table(const std::vector<std::pair<int, QString>>& rows) const
    {
        std::vector<QStringList> records;
        for (const auto& [range, idiom] : rows)
            records.push_back({QString::number(range), idiom, QStringLiteral("よみ") + idiom,
                               QStringLiteral("いみ")});
        bool ok = false;
        QFile file(dir.filePath(QStringLiteral("四字02vv.ccc")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(IdiomCompanion::fileBytes(records, &ok));
        file.close();
        EXPECT_TRUE(ok);
        IdiomTable loaded;
        EXPECT_TRUE(loaded.loadIdiomTable(dir.filePath(kIdiomDataFileName)).ok());
        return loaded;
    }

    WritingDrill& start(const std::vector<QString>& idioms, bool checkOrder = false)
    {
        std::vector<DrillQuestion> questions;
        for (const QString& idiom : idioms)
            questions.push_back({idiom, QStringLiteral("いみ"), QStringLiteral("よみ") + idiom, 2});
        drill = std::make_unique<WritingDrill>(view, recorder, strokeTable(), checkOrder);
        drill->start(std::move(questions));
        return *drill;
    }

    static Strokes written(const QString& kanji, Fault fault = Fault::None, quint64 seed = 1)
    {
        return WritingGenerator(seed).write(*strokeTable().strokes(kanji), Noise::Clean, fault,
                                            kBox);
    }
    void handIn(const QString& kanji, Fault fault = Fault::None)
    {
        drill->handIn(written(kanji, fault), kBox);
    }
    void writeIdiom(const QString& idiom)
    {
        for (const QChar c : idiom)
            handIn(c);
    }

    const QDate today{2026, 4, 10};
    QTemporaryDir dir;
    SharedState state;
    ManualClock clock;
    FakeMessageBox messages;
    PosixFileCalls calls;
    InstantSleeper sleeper;
    StudyRecorder recorder{state, clock, messages, calls, sleeper};
    FakeWritingView view;
    std::unique_ptr<WritingDrill> drill;
};

TEST_F(WritingDrillTest, PlanAsksDueWritingLeastRememberedFirstThenTilesKnownNeverWritten)
{
    const std::vector<std::pair<int, QString>> rows = {
        {2, QStringLiteral("七転八起")}, {1, QStringLiteral("一石二鳥")},
        {1, QStringLiteral("憂鬱自得")}, {1, kJunin},
        {1, QStringLiteral("四苦八苦")}, {1, QStringLiteral("半信半疑")},
        {1, QStringLiteral("有名無実")}, {1, QStringLiteral("絶体絶命")},
        {1, QStringLiteral("大同小異")}, {1, QStringLiteral("右往左往")},
        {1, QStringLiteral("千差万別")}, {1, QStringLiteral("電光石火")},
        {1, QStringLiteral("自由自在")}, {2, kHonmatsu},
        {2, QStringLiteral("言語道断")}, {2, QStringLiteral("無我夢中")},
        {1, QStringLiteral("一生")},     {2, QStringLiteral("油断大敵")},
    };
    const IdiomTable idioms = table(rows);
    const QDate yesterday = today.addDays(-1);
    // Written wrongly: the longer ago, the less remembered. Written rightly: not due yet.
    logAnswer(QStringLiteral("言語道断"), 2, yesterday, false, StudyDrill::Writing);
    logAnswer(QStringLiteral("無我夢中"), 2, today.addDays(-3), false, StudyDrill::Writing);
    logAnswer(QStringLiteral("油断大敵"), 2, yesterday, true, StudyDrill::Writing);
    logAnswer(QStringLiteral("臥薪嘗胆"), 6, today.addDays(-5), false, StudyDrill::Writing);
    // Known by tiles; 一石二鳥 is due for the review and not yet known, 油断大敵 already written.
    // The odd line 一生 can have no answers.
    for (const auto& [range, idiom] : rows) {
        if (idiom.size() == 4) {
            ASSERT_NO_FATAL_FAILURE(
                logAnswer(idiom, range, yesterday, idiom != QStringLiteral("一石二鳥")));
        }
    }

    const WritingPlan plan = WritingPlanning::plan(idioms, study(StudySkill::Choose),
                                                   study(StudySkill::Write), strokeTable(), today);
    QStringList asked;
    for (const DrillQuestion& question : plan.questions)
        asked.append(question.idiom);
    EXPECT_EQ(asked, (QStringList{QStringLiteral("無我夢中"), QStringLiteral("言語道断"), kJunin,
                                  QStringLiteral("四苦八苦"), QStringLiteral("半信半疑"),
                                  QStringLiteral("有名無実"), QStringLiteral("絶体絶命"),
                                  QStringLiteral("大同小異"), QStringLiteral("右往左往"),
                                  QStringLiteral("千差万別")}));
    EXPECT_EQ(plan.questions[2].reading, QStringLiteral("よみ十人十色"));
    EXPECT_EQ(plan.questions[2].range, 1);
    EXPECT_EQ(plan.leftOut, 1);
    EXPECT_EQ(WritingPlanning::leftOutNotice(plan),
              QStringLiteral("書き順のデータがない漢字をふくむ熟語 1問は、書き取りに出ません。"));
    const ReviewOffer offer = WritingPlanning::offer(plan, study(StudySkill::Write), today);
    EXPECT_EQ(offer.caption, QStringLiteral("書き取り 10問"));
    EXPECT_TRUE(offer.enabled);
    EXPECT_EQ(offer.line, QStringLiteral("書き取りの復習 2問と、はじめて書く熟語 8問"));
}

TEST_F(WritingDrillTest, OfferWithNothingToWriteSaysWhenWritingComesNext)
{
    const IdiomTable idioms = table({{2, kHonmatsu}});
    const auto offerNow = [&] {
        const PupilStudy written = study(StudySkill::Write);
        return WritingPlanning::offer(
            WritingPlanning::plan(idioms, study(StudySkill::Choose), written, strokeTable(), today),
            written, today);
    };
    ReviewOffer offer = offerNow();
    EXPECT_EQ(offer.caption, QStringLiteral("書き取り 0問"));
    EXPECT_FALSE(offer.enabled);
    EXPECT_EQ(offer.line, QStringLiteral("テストで覚えた熟語が書き取りに出ます"));
    logAnswer(kHonmatsu, 2, today, true, StudyDrill::Writing);
    EXPECT_EQ(offerNow().line, QStringLiteral("次の書き取りは4月12日"));
}

TEST_F(WritingDrillTest, FourKanjiRightAtTheFirstTryAreOneRightWritingRecord)
{
    start({kHonmatsu});
    clock.monotonic = 12000;
    writeIdiom(kHonmatsu);

    EXPECT_EQ(view.calls,
              (QStringList{"question 1/1 本末転倒", "box 0", "accepted 0", "box 1", "accepted 1",
                           "box 2", "accepted 2", "box 3", "accepted 3", "finish"}));
    EXPECT_TRUE(drill->finished());
    const std::vector<StudyEvent> events = logged();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].drill, StudyDrill::Writing);
    EXPECT_EQ(events[0].idiom, kHonmatsu);
    EXPECT_EQ(events[0].wrongReadings, 0);
    EXPECT_FALSE(events[0].wrongIdiom);
    EXPECT_EQ(events[0].seconds, 12);
}

TEST_F(WritingDrillTest, ANearMissGetsTheGradersHintAndMarksTheKanjiMissed)
{
    start({kHonmatsu});
    handIn(QStringLiteral("本"));
    handIn(QStringLiteral("末"), Fault::MissingStroke);
    EXPECT_EQ(view.calls.back(), QStringLiteral("retry 1 画数をかぞえてみよう 0"));
    EXPECT_EQ(view.models.back(), strokesOf("末"));
    writeIdiom(QStringLiteral("末転倒"));

    EXPECT_TRUE(view.calls.contains(QStringLiteral("accepted 1")));
    const std::vector<StudyEvent> events = logged();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].wrongReadings, 0b0010);
    EXPECT_TRUE(events[0].wrongIdiom);
}

TEST_F(WritingDrillTest, TwoFailedTriesShowTheModelAndATraceOrTwoFailedTracesMoveOn)
{
    start({kHonmatsu});
    handIn(QStringLiteral("本"));
    handIn(QStringLiteral("未"));
    handIn(QStringLiteral("未"));
    handIn(QStringLiteral("末")); // the trace
    handIn(QStringLiteral("末")); // nothing like 転, twice, and twice its trace
    handIn(QStringLiteral("末"));
    handIn(QStringLiteral("末"));
    handIn(QStringLiteral("末"));
    handIn(QStringLiteral("倒"));

    EXPECT_EQ(view.calls, (QStringList{"question 1/1 本末転倒", "box 0", "accepted 0", "box 1",
                                       "retry 1 もういちど書いてみよう 1", "model 1", "accepted 1",
                                       "box 2", "retry 2 もういちど書いてみよう 1", "model 2",
                                       "model 2", "box 3", "accepted 3", "finish"}));
    EXPECT_EQ(view.models.back(), strokesOf("転"));
    const std::vector<StudyEvent> events = logged();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].wrongReadings, 0b0110);
}

TEST_F(WritingDrillTest, StrokeOrderCountsOnlyWhenThePupilAsksForIt)
{
    for (const bool checkOrder : {true, false}) {
        view.calls.clear();
        start({kHonmatsu}, checkOrder);
        handIn(QStringLiteral("本"), Fault::SwappedPair);
        ASSERT_GE(view.calls.size(), 3);
        const QString answer = view.calls[2];
        if (checkOrder)
            EXPECT_TRUE(answer.contains(QRegularExpression(
                QStringLiteral("^retry 0 ([1-9])画目の書き順をたしかめよう \\1$"))))
                << answer.toStdString();
        else
            EXPECT_EQ(answer, QStringLiteral("accepted 0"));
    }
}

TEST_F(WritingDrillTest, AnIdiomKnownByTilesButMissedInWritingIsDueForWritingOnly)
{
    logAnswer(kJunin, 1, today, true);
    start({kJunin});
    writeIdiom(QStringLiteral("十人"));
    handIn(QStringLiteral("千"));
    writeIdiom(QStringLiteral("十色"));

    const QDate tomorrow = today.addDays(1);
    EXPECT_EQ(study(StudySkill::Write).dueCount(tomorrow), 1);
    EXPECT_EQ(study(StudySkill::Choose).dueCount(tomorrow), 0);
}

TEST_F(WritingDrillTest, SummaryCountsFirstTriesListsEachMissedKanjiOnceAndTheNextWriting)
{
    start({kHonmatsu, kJunin, QStringLiteral("千差万別")});
    writeIdiom(kHonmatsu);
    for (int box = 0; box < 4; ++box) {
        if (box != 1)
            handIn(QStringLiteral("千"));
        writeIdiom(kJunin.mid(box, 1));
    }
    handIn(QStringLiteral("十"));
    writeIdiom(QStringLiteral("千差万別"));

    const WritingSummary summary = drill->summary(study(StudySkill::Write), today);
    EXPECT_EQ(summary.asked, 3);
    EXPECT_EQ(summary.firstTryLine, QStringLiteral("はじめから書けた熟語：1/3"));
    EXPECT_EQ(summary.missed, (std::vector<MissedKanji>{
                                  {QStringLiteral("十"), kJunin, QStringLiteral("よみ十人十色")},
                                  {QStringLiteral("色"), kJunin, QStringLiteral("よみ十人十色")},
                                  {QStringLiteral("千"), QStringLiteral("千差万別"),
                                   QStringLiteral("よみ千差万別")}}));
    EXPECT_EQ(summary.nextLine, QStringLiteral("次の書き取り：あした 2問"));
    WritingSummary shown = summary;
    shown.nextLine.clear();
    EXPECT_EQ(view.finish, shown);
}

} // namespace
