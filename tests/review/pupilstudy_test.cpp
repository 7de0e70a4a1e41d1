#include "review/pupilstudy.h"
#include "review/studycache.h"
#include "review/studylogrecord.h"
#include "studylogfixture.h"

namespace {

const QString kGashin = QStringLiteral("臥薪嘗胆");
const QString kShimen = QStringLiteral("四面楚歌");
const QString kIchigo = QStringLiteral("一期一会");

} // namespace

TEST_F(StudyLogTest, EveryKindOfMistakeIsAnAgainAndFourMakeAWeakIdiom)
{
    PupilStudy study(7);
    StudyEvent event = answer(7, kGashin, day1);
    event.wrongReadings = 1;
    study.add(event);
    event = answer(7, kGashin, day1.addDays(1));
    event.readingGivenAway = true;
    study.add(event);
    study.add(answer(7, kGashin, day1.addDays(2), false));
    const IdiomMemory* memory = study.find(kGashin);
    ASSERT_NE(memory, nullptr);
    EXPECT_EQ(memory->answers, 3);
    EXPECT_EQ(memory->lapses, 3);
    EXPECT_FALSE(memory->weak());
    study.add(answer(7, kGashin, day1.addDays(3)));
    study.add(answer(8, kGashin, day1.addDays(3), false)); // another pupil's
    EXPECT_EQ(memory->lapses, 3);
    study.add(answer(7, kGashin, day1.addDays(3), false));
    EXPECT_TRUE(memory->weak());
    EXPECT_EQ(memory->answers, 5);
    EXPECT_EQ(memory->lastAnswer, day1.addDays(3));
    EXPECT_EQ(memory->due, day1.addDays(4));
    ASSERT_EQ(memory->recent.size(), 5u);
    EXPECT_TRUE(memory->recent[3].right);
    EXPECT_FALSE(memory->recent[4].right);
}

TEST_F(StudyLogTest, StrikeCountsAsGoodOnlyForAnIdiomNeverAnswered)
{
    PupilStudy study(7);
    StudyEvent strike = answer(7, kGashin, day1);
    strike.drill = StudyDrill::Practice;
    strike.struckAsKnown = true;
    study.add(strike);
    ASSERT_NE(study.find(kGashin), nullptr);
    EXPECT_EQ(study.find(kGashin)->answers, 1);
    EXPECT_EQ(study.find(kGashin)->due, day1.addDays(2));

    study.add(answer(7, kShimen, day1, false));
    strike.idiom = kShimen;
    strike.date = day1.addDays(1);
    study.add(strike);
    EXPECT_EQ(study.find(kShimen)->answers, 1);
    EXPECT_EQ(study.find(kShimen)->due, day1.addDays(1));
    EXPECT_EQ(study.studyDays(), (std::vector<QDate>{day1, day1.addDays(1)}));
}

TEST_F(StudyLogTest, DueIdiomsComeLowestRecallFirst)
{
    PupilStudy study(7);
    study.add(answer(7, kGashin, day1));        // due in 2 days
    study.add(answer(7, kShimen, day1, false)); // due the next day
    study.add(answer(7, kIchigo, day1.addDays(1), false));
    const QDate later = day1.addDays(3);
    const std::vector<DueIdiom> due = study.due(later);
    ASSERT_EQ(due.size(), 3u);
    // The Again of the first day has faded most, the Good least.
    EXPECT_EQ(due[0].memory->idiom, kShimen);
    EXPECT_EQ(due[1].memory->idiom, kIchigo);
    EXPECT_EQ(due[2].memory->idiom, kGashin);
    EXPECT_LT(due[0].recall, due[1].recall);
    EXPECT_EQ(study.dueCount(day1), 0);
    EXPECT_EQ(study.dueCount(day1.addDays(1)), 1);
    EXPECT_EQ(study.dueCount(day1.addDays(2)), 3);
    EXPECT_EQ(study.nextDueAfter(day1.addDays(1)).value_or(QDate()), day1.addDays(2));
    EXPECT_FALSE(study.nextDueAfter(later).has_value());
}

TEST_F(StudyLogTest, StreakSurvivesDaysWithNothingDueOnly)
{
    PupilStudy study(7);
    EXPECT_EQ(study.streak(day1), 0);
    study.add(answer(7, kGashin, day1));            // due two days on
    study.add(answer(7, kGashin, day1.addDays(2))); // stability 10.96: due 11 days on
    ASSERT_EQ(study.find(kGashin)->due, day1.addDays(13));
    EXPECT_EQ(study.streak(day1.addDays(2)), 2);
    // Today not yet studied does not break the row, nor do days with nothing due; a missed
    // due day does.
    EXPECT_EQ(study.streak(day1.addDays(3)), 2);
    EXPECT_EQ(study.streak(day1.addDays(13)), 2);
    EXPECT_EQ(study.streak(day1.addDays(14)), 0);

    PupilStudy missed(8);
    missed.add(answer(8, kShimen, day1, false)); // due the next day, studied the day after
    missed.add(answer(8, kShimen, day1.addDays(2)));
    EXPECT_EQ(missed.streak(day1.addDays(2)), 1);
}

TEST_F(StudyLogTest, LoadingTheLogGivesTheStateOfTheSameAnswersAdded)
{
    PupilStudy added(7);
    for (int day = 0; day < 40; ++day) {
        StudyEvent event = answer(day % 3 == 0 ? 8 : 7, day % 2 ? kGashin : kShimen,
                                  day1.addDays(day / 2), day % 5 != 0);
        event.wrongReadings = day % 7 == 0 ? 2 : 0;
        event.readingGivenAway = day % 11 == 0;
        if (day == 1) { // a strike in a practice walk
            event.drill = StudyDrill::Practice;
            event.struckAsKnown = true;
        }
        ASSERT_NO_FATAL_FAILURE(append(event));
        added.add(event);
    }
    PupilStudy loaded(7);
    ASSERT_TRUE(loaded.load(logPath()).ok());
    EXPECT_EQ(loaded.studyDays(), added.studyDays());
    for (const QString& idiom : {kGashin, kShimen}) {
        const IdiomMemory* a = added.find(idiom);
        const IdiomMemory* l = loaded.find(idiom);
        ASSERT_TRUE(a && l);
        EXPECT_EQ(l->idiom, idiom);
        EXPECT_EQ(l->answers, a->answers);
        EXPECT_EQ(l->lapses, a->lapses);
        EXPECT_EQ(l->memory.stability, a->memory.stability);
        EXPECT_EQ(l->memory.difficulty, a->memory.difficulty);
        EXPECT_EQ(l->due, a->due);
        EXPECT_EQ(l->recent.size(), size_t(IdiomMemory::kRecentAnswers));
    }
}

// The hub, the review and the map keep a pupil's study and read only what was appended since.
// A record already read is not read again (a byte flipped in it later changes nothing), while
// a log that no longer holds the last record read where it stood is read whole.
TEST_F(StudyLogTest, ARefreshReadsOnlyWhatWasAppendedUnlessTheLogWasReplaced)
{
    // The pupil's own answer is the last one read before the refresh.
    for (int day = 0; day < 13; ++day)
        ASSERT_NO_FATAL_FAILURE(append(
            answer(7 + day % 2, day % 3 ? kGashin : kShimen, day1.addDays(day / 3), day % 4 != 0)));
    StudyCache cache;
    Status status;
    const std::shared_ptr<const PupilStudy> before = cache.study(logPath(), 7, &status);
    ASSERT_TRUE(status.ok());
    const int answersBefore = before->find(kGashin)->answers;
    QByteArray log = bytes();
    log[StudyLogRecord::kLength + 20] = char(log[StudyLogRecord::kLength + 20] ^ 0x40);
    ASSERT_NO_FATAL_FAILURE(writeBytes(log));
    for (int day = 0; day < 6; ++day)
        ASSERT_NO_FATAL_FAILURE(append(answer(7, day % 2 ? kIchigo : kGashin, day1.addDays(5))));

    const std::shared_ptr<const PupilStudy> after = cache.study(logPath(), 7, &status);
    ASSERT_TRUE(status.ok());
    EXPECT_EQ(before->find(kGashin)->answers, answersBefore); // the holder's copy stands
    PupilStudy whole(7);
    ASSERT_TRUE(whole.load(logPath()).ok());
    EXPECT_EQ(after->find(kShimen)->answers, whole.find(kShimen)->answers + 1);
    EXPECT_EQ(after->find(kIchigo)->answers, 3);

    log = bytes();
    log.chop(StudyLogRecord::kLength); // the last record read no longer stands there
    ASSERT_NO_FATAL_FAILURE(writeBytes(log));
    ASSERT_NO_FATAL_FAILURE(append(answer(7, kShimen, day1.addDays(6))));
    ASSERT_TRUE(whole.load(logPath()).ok());
    expectSameState(*cache.study(logPath(), 7, &status), whole);
}

// The very first idiom of a pupil sits at the first place of every table: a strike on it
// after a wrong answer must leave it due the next day like any other.
TEST_F(StudyLogTest, AStrikeOnTheFirstIdiomEverAnsweredChangesNothing)
{
    PupilStudy study(7);
    study.add(answer(7, kGashin, day1, false));
    study.add(answer(7, kShimen, day1, true));
    StudyEvent strike = answer(7, kGashin, day1.addDays(1));
    strike.drill = StudyDrill::Practice;
    strike.struckAsKnown = true;
    study.add(strike);
    strike.idiom = kShimen;
    study.add(strike);
    for (const QString& idiom : {kGashin, kShimen}) {
        const IdiomMemory* memory = study.find(idiom);
        ASSERT_NE(memory, nullptr);
        EXPECT_EQ(memory->answers, 1) << idiom.toStdString();
        EXPECT_EQ(memory->lastAnswer, day1);
        EXPECT_EQ(memory->recent.size(), 1u);
    }
    EXPECT_EQ(study.find(kGashin)->memory.stability, 0.212);
    EXPECT_EQ(study.find(kGashin)->due, day1.addDays(1));
    EXPECT_EQ(study.find(kShimen)->due, day1.addDays(2));
}

// A machine whose clock was set back logs an answer dated before the idiom's last one: it is
// graded as a second answer of that later day, which stays the day the interval counts from.
TEST_F(StudyLogTest, AnAnswerDatedBeforeTheLastOneCountsAsTheSameDay)
{
    PupilStudy study(7);
    study.add(answer(7, kGashin, day1));
    study.add(answer(7, kGashin, day1.addDays(2))); // stability 10.96
    study.add(answer(7, kGashin, day1, false));
    const IdiomMemory* memory = study.find(kGashin);
    ASSERT_NE(memory, nullptr);
    // The same-day Again: 10.96 × e^(0.5425 × (0.0912 − 2)) × 10.96^−0.0658.
    EXPECT_NEAR(memory->memory.stability, 3.325285997580933, 1e-9);
    EXPECT_NEAR(memory->memory.difficulty, 7.392238132342694, 1e-9);
    EXPECT_EQ(memory->lastAnswer, day1.addDays(2));
    EXPECT_EQ(memory->due, day1.addDays(5));
}

// Something due every day, done or not, and an answer every day: no day breaks the row.
TEST_F(StudyLogTest, AStreakOverConsecutiveDaysWithSomethingDueCountsEveryDay)
{
    const QStringList idioms = {kShimen, kIchigo, QStringLiteral("温故知新"),
                                QStringLiteral("一石二鳥")};
    PupilStudy study(7);
    study.add(answer(7, kGashin, day1, false)); // due from the next day on, never reviewed
    for (int day = 1; day <= 4; ++day)
        study.add(answer(7, idioms[day - 1], day1.addDays(day)));
    EXPECT_EQ(study.streak(day1.addDays(4)), 5);
    EXPECT_EQ(study.streak(day1.addDays(5)), 5); // today not studied yet
    EXPECT_EQ(study.streak(day1.addDays(6)), 0);
}

// Hundreds of idioms make the table grow and probes pass over taken slots: each idiom, the
// first one too, keeps its own answers.
TEST_F(StudyLogTest, EveryIdiomOfAManyIdiomStudyKeepsItsOwnState)
{
    PupilStudy study(7);
    constexpr int kIdioms = 400;
    const auto idiom = [](int i) {
        return QString(3, QChar(0x4E00 + i / 64)) + QChar(0x4E00 + i % 64);
    };
    for (int i = 0; i < kIdioms; ++i)
        for (int k = 0; k <= i % 3; ++k)
            study.add(answer(7, idiom(i), day1.addDays(k)));
    for (int i = 0; i < kIdioms; ++i) {
        const IdiomMemory* memory = study.find(idiom(i));
        ASSERT_NE(memory, nullptr) << i;
        EXPECT_EQ(memory->idiom, idiom(i));
        EXPECT_EQ(memory->answers, 1 + i % 3) << i;
    }
}
