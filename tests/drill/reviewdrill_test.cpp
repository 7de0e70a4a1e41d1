#include "drill/drillkeys.h"
#include "drillfixture.h"
#include "review/studylog.h"

#include <QDir>

#include <set>

namespace {

// The drill fixture with a study log in the shared folder. Today is 10 April 2026.
class ReviewDrillTest : public DrillTest
{
protected:
    QString logPath() const { return state.commonFolder + QString::fromUtf8(kStudyLogFileName); }

    void logAnswer(const QString& idiom, int range, const QDate& day, bool right)
    {
        StudyEvent event;
        event.date = day;
        event.secondOfDay = 36000;
        event.pupilNo = state.pupilNo;
        event.idiom = idiom;
        event.range = range;
        event.drill = StudyDrill::Test;
        event.itemNo = 2 * range;
        event.wrongIdiom = !right;
        ASSERT_TRUE(StudyLogWriter(records.fileCalls(), sleeper).append(logPath(), event).ok());
    }

    std::vector<StudyEvent> logged() const
    {
        std::vector<StudyEvent> events;
        StudyLogReader reader;
        EXPECT_TRUE(reader.open(logPath()).ok());
        while (const StudyLogEntry* entry = reader.next()) {
            EXPECT_TRUE(entry->checksumOk);
            events.push_back(entry->event);
        }
        return events;
    }

    DrillEngine& startReview()
    {
        state.reviewDrill = true;
        return start(0);
    }

    const QDate yesterday = QDate(2026, 4, 9);
};

TEST_F(ReviewDrillTest, AsksTheDueIdiomsAcrossRangesWithTheirOwnDecoysAndNoTimeLimit)
{
    logAnswer(QStringLiteral("一石二鳥"), 2, yesterday, false);
    logAnswer(QStringLiteral("電光石火"), 1, yesterday, false);
    logAnswer(QStringLiteral("十人十色"), 2, yesterday, true);  // due the day after tomorrow
    logAnswer(QStringLiteral("臥薪嘗胆"), 6, yesterday, false); // no longer in the idiom file
    startReview();

    EXPECT_EQ(shown().levelName, QStringLiteral("復習"));
    EXPECT_EQ(shown().remaining, QStringLiteral("2"));
    ASSERT_EQ(engine->questions().questionCount(), 2);
    std::set<QString> asked;
    for (int n = 1; n <= 2; ++n)
        asked.insert(engine->questions().question(n).idiom);
    EXPECT_EQ(asked, (std::set<QString>{QStringLiteral("一石二鳥"), QStringLiteral("電光石火")}));

    if (engine->currentIdiom() != QStringLiteral("電光石火")) {
        answerRight();
        ASSERT_EQ(engine->currentIdiom(), QStringLiteral("電光石火"));
    }
    // Range 1 has decoys enough of its own.
    QString rangeOneHeads = QStringLiteral("電光石火");
    for (const QStringList& row : sampleIdioms())
        if (row.at(0) == QStringLiteral("1"))
            rangeOneHeads += row.at(1).left(2);
    for (int i = 1; i <= DrillDisplay::kKanjiTiles; ++i)
        EXPECT_TRUE(rangeOneHeads.contains(shown().kanjiTiles[i])) << i;

    tickAt(3600 * 1000);
    EXPECT_FALSE(state.drillRun.timeOver);
    EXPECT_FALSE(shown().reviewFinishVisible);
    EXPECT_EQ(shown().elapsed, QStringLiteral("3600"));
}

TEST_F(ReviewDrillTest, OfMoreThanTwentyDueIdiomsTheTwentyLeastRememberedAreAsked)
{
    // 22 idioms of range 3, each answered wrongly once, k days ago for the k-th: the longer
    // ago, the lower the recall now, so the two of the last two days are left out.
    const QString signs = QStringLiteral("甲乙丙丁戊己庚辛壬癸子丑寅卯辰巳午未申酉戌亥");
    const QString kana = QStringLiteral("あいうえおかきくけこさしすせそたちつてとなに");
    std::vector<QStringList> idioms = sampleIdioms();
    for (int k = 1; k <= 22; ++k)
        idioms.push_back({QStringLiteral("3"), QStringLiteral("天地人") + signs[k - 1],
                          QStringLiteral("てんちじん") + kana[k - 1], QStringLiteral("ためし")});
    ASSERT_NO_FATAL_FAILURE(writeIdioms(idioms));
    for (int k = 1; k <= 22; ++k)
        ASSERT_NO_FATAL_FAILURE(
            logAnswer(idioms[size_t(11 + k)][1], 3, yesterday.addDays(1 - k), false));
    startReview();

    EXPECT_EQ(shown().remaining, QStringLiteral("20"));
    ASSERT_EQ(engine->questions().questionCount(), 20);
    std::set<std::string> asked;
    for (int n = 1; n <= 20; ++n)
        asked.insert(engine->questions().question(n).idiom.toStdString());
    std::set<std::string> leastRemembered;
    for (int k = 3; k <= 22; ++k)
        leastRemembered.insert((QStringLiteral("天地人") + signs[k - 1]).toStdString());
    EXPECT_EQ(asked, leastRemembered);
    EXPECT_EQ(engine->currentIdiom().toStdString(), "天地人亥");
}

TEST_F(ReviewDrillTest, EscEndsTheReviewEarlyKeepingTheAnswersAndNoResult)
{
    logAnswer(QStringLiteral("一石二鳥"), 2, yesterday, false);
    logAnswer(QStringLiteral("十人十色"), 2, yesterday, false);
    startReview();
    EXPECT_TRUE(shown().reviewBackVisible);
    const QString first = engine->currentIdiom();
    clock.monotonic = 7000;
    answerRight();

    DrillKeys::press(*engine, Qt::Key_Escape);
    EXPECT_TRUE(shown().reviewFinishVisible);
    EXPECT_FALSE(shown().reviewBackVisible);
    EXPECT_TRUE(navigator.shown.isEmpty());
    EXPECT_EQ(shown().reviewSummary.firstTryLine, QStringLiteral("1回目で正解：1問（1問中）"));
    const std::vector<StudyEvent> events = logged();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[2].idiom, first);
    EXPECT_EQ(events[2].drill, StudyDrill::Review);
    EXPECT_EQ(events[2].itemNo, 0);
    EXPECT_EQ(events[2].range, 2);
    EXPECT_EQ(events[2].seconds, 7);
    EXPECT_TRUE(events[2].rightFirstTry());
    EXPECT_TRUE(resultBytes().isEmpty());

    DrillKeys::press(*engine, Qt::Key_Escape); // 「メニューへ」
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Hub});
}

TEST_F(ReviewDrillTest, TestAnswersAreLoggedWithTheirMistakes)
{
    start(4);
    const QString first = engine->currentIdiom();
    engine->kanaTileClicked(wrongKanaTile());
    answerReading();
    answerIdiomWrong();

    const std::vector<StudyEvent> events = logged();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].idiom, first);
    EXPECT_EQ(events[0].drill, StudyDrill::Test);
    EXPECT_EQ(events[0].itemNo, 4);
    EXPECT_EQ(events[0].wrongReadings, 1);
    EXPECT_TRUE(events[0].wrongIdiom);
    EXPECT_FALSE(events[0].readingGivenAway);
}

TEST_F(ReviewDrillTest, APracticeStrikeIsLogged)
{
    start(3);
    const QString shownIdiom = engine->currentIdiom();
    engine->practiceShowAnswerClicked();
    engine->practiceMemorisedClicked();

    const std::vector<StudyEvent> events = logged();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].idiom, shownIdiom);
    EXPECT_EQ(events[0].drill, StudyDrill::Practice);
    EXPECT_EQ(events[0].itemNo, 3);
    EXPECT_TRUE(events[0].struckAsKnown);
}

TEST_F(ReviewDrillTest, AnUnwritableLogIsReportedOnceAndTheTestGoesOn)
{
    ASSERT_TRUE(QDir().mkpath(logPath())); // a folder where the log should be
    start(4);
    for (int asked = 0; !shown().closingVisible; ++asked) {
        ASSERT_LT(asked, 20);
        answerRight();
    }
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(
        messages.shown[0].text.startsWith(QStringLiteral("学習記録を書き込めませんでした。")))
        << messages.shown[0].text.toStdString();
    EXPECT_EQ(resultBytes().size(), RecordCodec::kResultLength);
    EXPECT_EQ(navigator.shown, QList<ScreenId>{ScreenId::Finish});
}

} // namespace
