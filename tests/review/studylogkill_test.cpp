#include "randomkiller.h"
#include "studylogfixture.h"

#include <QProcess>

#include <array>
#include <numeric>
#include <vector>

namespace {

constexpr int kWriters = 4;
using Numbers = std::vector<int>; // pupil p's number at index p - 1

// Reads the log and checks that each pupil's numbers run on without a gap or a repeat and that
// every record is whole and sound. Returns the last number of each pupil; *torn tells whether
// the file ends in part of a record.
Numbers checkLog(const QString& path, bool* torn)
{
    Numbers last(kWriters);
    StudyLogReader reader;
    const Status opened = reader.open(path);
    EXPECT_TRUE(opened.ok()) << opened.message.toStdString();
    qint64 recordNo = 0;
    while (const StudyLogEntry* entry = reader.next()) {
        EXPECT_EQ(entry->recordNo, ++recordNo);
        EXPECT_TRUE(entry->checksumOk) << "record " << recordNo;
        const int pupil = entry->event.pupilNo;
        if (pupil < 1 || pupil > kWriters) {
            ADD_FAILURE() << "pupil " << pupil << " in record " << recordNo;
            break;
        }
        int& number = last[static_cast<size_t>(pupil - 1)];
        EXPECT_EQ(entry->event.secondOfDay, number + 1) << "record " << recordNo;
        number = entry->event.secondOfDay;
    }
    EXPECT_TRUE(reader.status().ok());
    *torn = reader.tornTailBytes() != 0;
    return last;
}

} // namespace

// Writers killed with SIGKILL at any moment of an append, several at a time, some rounds
// after a machine died in the middle of a record: only whole records, every append that
// returned is there, none twice.
TEST_F(StudyLogTest, AppendsKilledAtRandomMomentsLeaveOnlyWholeRecords)
{
    constexpr int kKills = 120;
    RandomKiller killer(22);
    Numbers landed(kWriters);
    Numbers reported(kWriters);
    for (int round = 0; killer.kills() < kKills; ++round) {
        // The first round tears the header itself.
        if (round % 5 == 0)
            writeBytes(bytes() + QByteArray(1 + killer.number(31), '\x5a'));
        const int landedBefore = std::accumulate(landed.begin(), landed.end(), 0);
        std::vector<QStringList> arguments;
        for (int pupil = 1; pupil <= kWriters; ++pupil)
            arguments.push_back({logPath(), QString::number(pupil),
                                 QString::number(landed[pupil - 1] + 1), QStringLiteral("0")});
        QString error;
        ASSERT_TRUE(
            killer.killTogether(QStringLiteral(STUDY_LOG_APPENDER), arguments, reported, &error))
            << error.toStdString();
        bool torn = false;
        landed = checkLog(logPath(), &torn);
        ASSERT_FALSE(HasFailure()) << "round " << round;
        for (int i = 0; i < kWriters; ++i)
            ASSERT_GE(landed[i], reported[i]) << "a reported append of pupil " << i + 1;
        if (std::accumulate(landed.begin(), landed.end(), 0) > landedBefore) {
            ASSERT_FALSE(torn) << "an append left a torn record in place, round " << round;
        }
    }
}

TEST_F(StudyLogTest, TwoProcessesAppendingAtOnceLandEveryEventOnce)
{
    constexpr int kEach = 300;
    std::array<QProcess, 2> writers;
    for (int i = 0; i < 2; ++i)
        writers[i].start(
            QStringLiteral(STUDY_LOG_APPENDER),
            {logPath(), QString::number(i + 1), QStringLiteral("1"), QString::number(kEach)});
    for (QProcess& writer : writers) {
        ASSERT_TRUE(writer.waitForFinished(120000));
        ASSERT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().toStdString();
    }
    bool torn = false;
    EXPECT_EQ(checkLog(logPath(), &torn), (Numbers{kEach, kEach, 0, 0}));
    EXPECT_FALSE(torn);
    EXPECT_EQ(bytes().size(), (2 * kEach + 1) * 32);
}
