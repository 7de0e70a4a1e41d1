#include "randomkiller.h"
#include "review/studycache.h"
#include "review/studycheckpoint.h"
#include "review/studylogrecord.h"
#include "studylogfixture.h"

#include <QDir>

namespace {

const QStringList kIdioms = {QStringLiteral("臥薪嘗胆"), QStringLiteral("四面楚歌"),
                             QStringLiteral("一期一会"), QStringLiteral("温故知新")};

// A checkpoint folder that saves after every few records, so that small logs make one.
class StudyCheckpointTest : public StudyLogTest
{
protected:
    StudyCheckpoints checkpoints() const { return StudyCheckpoints(m_cache.path(), 4); }

    // A new process: a cache that knows nothing but the checkpoints on disk.
    std::shared_ptr<const PupilStudy> firstLook(int pupil = 7,
                                                StudySkill skill = StudySkill::Choose)
    {
        StudyCache fresh(checkpoints());
        Status status;
        auto study = fresh.study(logPath(), pupil, &status, skill);
        EXPECT_TRUE(status.ok()) << status.message.toStdString();
        return study;
    }

    PupilStudy wholeReplay(int pupil = 7)
    {
        PupilStudy study(pupil);
        EXPECT_TRUE(study.load(logPath()).ok());
        return study;
    }

    // Answers of pupils 7 and 8 over some days, one in three wrong.
    void appendAnswers(int from, int count)
    {
        for (int k = from; k < from + count; ++k)
            ASSERT_NO_FATAL_FAILURE(append(answer(7 + k % 2, kIdioms[k % 4 == 3 ? 3 : k % 3],
                                                  day1.addDays(k / 5), k % 3 != 0)));
    }

    QByteArray checkpointBytes() const
    {
        QFile file(checkpoints().fileFor(logPath(), 7, StudySkill::Choose));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir m_cache;
};

} // namespace

// A new process goes on from the checkpoint: a byte flipped later in a record it covers
// changes nothing, and what was appended since is read.
TEST_F(StudyCheckpointTest, ANewProcessReadsOnlyWhatFollowsTheCheckpoint)
{
    ASSERT_NO_FATAL_FAILURE(appendAnswers(0, 20));
    firstLook();
    ASSERT_FALSE(checkpointBytes().isEmpty());
    ASSERT_NO_FATAL_FAILURE(appendAnswers(20, 3));
    const PupilStudy sound = wholeReplay();

    QByteArray log = bytes();
    log[StudyLogRecord::kLength + 20] = char(log[StudyLogRecord::kLength + 20] ^ 0x40);
    ASSERT_NO_FATAL_FAILURE(writeBytes(log));
    const auto resumed = firstLook();
    expectSameState(*resumed, sound);
    EXPECT_NE(resumed->find(kIdioms[0])->answers, wholeReplay().find(kIdioms[0])->answers);
}

// The kanji missed in the last writing answer of each idiom come back from a checkpoint; byte 21
// of a tile drill's record is no such mask.
TEST_F(StudyCheckpointTest, TheKanjiMissedInWritingComeBackFromACheckpoint)
{
    for (int k = 0; k < 12; ++k) {
        StudyEvent event = answer(7, kIdioms[k % 4], day1.addDays(k / 4), k % 4 == 0);
        if (k % 4 != 0) {
            event.drill = StudyDrill::Writing;
            event.itemNo = 0;
            event.wrongIdiom = k % 2 == 1;
            event.wrongReadings = event.wrongIdiom ? k % 15 + 1 : 0;
        }
        ASSERT_NO_FATAL_FAILURE(append(event));
    }
    firstLook(7, StudySkill::Write);
    ASSERT_TRUE(QFile::exists(checkpoints().fileFor(logPath(), 7, StudySkill::Write)));
    const auto resumed = firstLook(7, StudySkill::Write);
    PupilStudy whole(7, StudySkill::Write);
    ASSERT_TRUE(whole.load(logPath()).ok());
    expectSameState(*resumed, whole);
    // The last writing answers: 四面楚歌 wrong at k = 9 (mask 10), 一期一会 right at k = 10.
    EXPECT_EQ(resumed->find(kIdioms[1])->lastMissed, 10);
    EXPECT_EQ(resumed->find(kIdioms[2])->lastMissed, 0);
    EXPECT_EQ(resumed->find(kIdioms[0]), nullptr);
    EXPECT_EQ(wholeReplay().find(kIdioms[1]), nullptr);
}

// Whatever happened to the checkpoint or the log, a new process sees what a whole replay of
// the log sees, and leaves a checkpoint that fits the log again.
TEST_F(StudyCheckpointTest, ACheckpointThatDoesNotFitIsPassedOverAndReplaced)
{
    ASSERT_NO_FATAL_FAILURE(appendAnswers(0, 20));
    firstLook();
    const QByteArray saved = checkpointBytes();
    const QString file = checkpoints().fileFor(logPath(), 7, StudySkill::Choose);
    const auto plant = [&](const QByteArray& bytes) {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(bytes);
    };
    QByteArray flipped = saved;
    flipped[40] = char(flipped[40] ^ 1);
    QByteArray otherVersion = saved;
    otherVersion[8] = char(otherVersion[8] + 1);
    const std::vector<std::pair<const char*, QByteArray>> damages = {
        {"torn", saved.left(saved.size() - 9)},
        {"flipped byte", flipped},
        {"other version", otherVersion},
        {"empty", QByteArray()},
    };
    for (const auto& [what, bytes] : damages) {
        ASSERT_NO_FATAL_FAILURE(plant(bytes));
        expectSameState(*firstLook(), wholeReplay());
        EXPECT_EQ(checkpointBytes(), saved) << what;
    }

    // Another pupil's checkpoint in the pupil's place.
    firstLook(8);
    QFile other(checkpoints().fileFor(logPath(), 8, StudySkill::Choose));
    ASSERT_TRUE(other.open(QIODevice::ReadOnly));
    ASSERT_NO_FATAL_FAILURE(plant(other.readAll()));
    expectSameState(*firstLook(), wholeReplay());
    EXPECT_EQ(checkpointBytes(), saved);

    // The pupil's writing checkpoint, which knows nothing of these answers.
    StudyCache fresh(checkpoints());
    Status status;
    fresh.study(logPath(), 7, &status, StudySkill::Write);
    QFile written(checkpoints().fileFor(logPath(), 7, StudySkill::Write));
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    ASSERT_NO_FATAL_FAILURE(plant(written.readAll()));
    expectSameState(*firstLook(), wholeReplay());
    EXPECT_EQ(checkpointBytes(), saved);

    // A log that no longer holds the last record read where it stood.
    QByteArray log = bytes();
    log.chop(3 * StudyLogRecord::kLength);
    ASSERT_NO_FATAL_FAILURE(writeBytes(log));
    ASSERT_NO_FATAL_FAILURE(appendAnswers(40, 7));
    expectSameState(*firstLook(), wholeReplay());
    PupilStudy restored(7);
    ASSERT_TRUE(checkpoints().restore(logPath(), restored));
    EXPECT_TRUE(restored.refresh(logPath()).ok());
    expectSameState(restored, wholeReplay());
}

// Another installation's shared folder, or a folder moved or copied: a checkpoint is written
// for one log path and is never taken for another log, even where that log holds the same last
// record at the same place (the same pupil number answering the same question at the same
// moment in two schools).
TEST_F(StudyCheckpointTest, ACheckpointOfAnotherLogIsNeverUsed)
{
    QTemporaryDir otherShared;
    const QString otherLog = otherShared.filePath(QString::fromUtf8(kStudyLogFileName));
    for (int day = 0; day < 4; ++day) {
        ASSERT_NO_FATAL_FAILURE(append(answer(7, kIdioms[0], day1.addDays(day))));
        ASSERT_TRUE(writer.append(otherLog, answer(7, kIdioms[1], day1.addDays(day), false)).ok());
    }
    const StudyEvent same = answer(7, kIdioms[3], day1.addDays(4));
    ASSERT_NO_FATAL_FAILURE(append(same));
    ASSERT_TRUE(writer.append(otherLog, same).ok());
    firstLook();
    const QByteArray saved = checkpointBytes();
    ASSERT_FALSE(saved.isEmpty());
    QFile planted(checkpoints().fileFor(otherLog, 7, StudySkill::Choose));
    ASSERT_TRUE(planted.open(QIODevice::WriteOnly));
    ASSERT_EQ(planted.write(saved), saved.size());
    planted.close();

    StudyCache fresh(checkpoints());
    Status status;
    const auto study = fresh.study(otherLog, 7, &status);
    ASSERT_TRUE(status.ok());
    PupilStudy whole(7);
    ASSERT_TRUE(whole.load(otherLog).ok());
    EXPECT_EQ(study->find(kIdioms[0]), nullptr);
    expectSameState(*study, whole);
}

// Processes that append and save checkpoints, killed with SIGKILL at any moment: a new
// process still sees exactly what a whole replay of the log sees.
TEST_F(StudyCheckpointTest, SavesKilledAtRandomMomentsNeverLeaveAWrongState)
{
    RandomKiller killer(23);
    std::vector<int> landed{0};
    for (int round = 0; round < 40; ++round) {
        QString error;
        ASSERT_TRUE(
            killer.killTogether(QStringLiteral(STUDY_LOG_APPENDER),
                                {{logPath(), QStringLiteral("7"), QString::number(landed[0] + 1),
                                  QStringLiteral("0"), m_cache.path()}},
                                landed, &error))
            << error.toStdString();
        expectSameState(*firstLook(), wholeReplay());
        ASSERT_FALSE(HasFailure()) << "round " << round;
    }
    PupilStudy restored(7);
    EXPECT_TRUE(checkpoints().restore(logPath(), restored));
}
