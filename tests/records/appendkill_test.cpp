#include "randomkiller.h"
#include "recordsfixture.h"

#include <algorithm>
#include <array>
#include <numeric>
#include <vector>

// Writers killed with SIGKILL at any moment of an append, several at a time: the file holds
// only whole records, every append that returned is there, none twice, and a record torn by a
// kill is overwritten by the next append.
TEST_F(RecordsTest, AppendsKilledAtRandomMomentsLeaveOnlyWholeRecords)
{
    constexpr int kWriters = 4;
    constexpr int kKills = 200;
    RandomKiller killer(15);
    std::array<qint32, kWriters + 1> landed{};   // last result in the file, by pupil
    std::array<qint32, kWriters + 1> reported{}; // last result a writer said it appended
    const QString path = resultPath();
    const auto tearTail = [&] {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::Append));
        file.write(QByteArray(1 + killer.number(RecordCodec::kResultLength - 1), '\x5a'));
    };

    // Reads the file and checks that each pupil's results run on without a gap or a repeat.
    // *torn tells whether the file ends in part of a record.
    auto checkFile = [&](qint64* wholeLength, bool* torn) {
        const QByteArray bytes = fileBytes(path);
        *wholeLength = bytes.size() / RecordCodec::kResultLength * RecordCodec::kResultLength;
        std::array<qint32, kWriters + 1> last{};
        for (qint64 at = 0; at < *wholeLength; at += RecordCodec::kResultLength) {
            const ResultRecord r = RecordCodec::decodeResult(bytes.constData() + at);
            ASSERT_TRUE(r.pupilNo >= 1 && r.pupilNo <= kWriters) << "record at byte " << at;
            ASSERT_EQ(r.itemNo, 2);
            ASSERT_EQ(r.schoolCodeText(), QStringLiteral("12345"));
            ASSERT_EQ(r.result, last[r.pupilNo] + 1) << "pupil " << r.pupilNo << " byte " << at;
            last[r.pupilNo] = r.result;
        }
        for (int pupil = 1; pupil <= kWriters; ++pupil)
            ASSERT_GE(last[pupil], reported[pupil]) << "a reported append of pupil " << pupil;
        landed = last;
        *torn = bytes.size() != *wholeLength;
    };

    qint64 wholeLength = 0;
    bool torn = false;
    for (int round = 0; killer.kills() < kKills; ++round) {
        // One write system call is never cut short by a kill on a local disk, but a machine
        // that dies while writing to a shared folder can leave part of a record.
        if (round % 5 == 0) {
            ASSERT_NO_FATAL_FAILURE(tearTail());
        }
        const qint32 landedBefore = std::accumulate(landed.begin(), landed.end(), 0);
        std::vector<QStringList> arguments;
        std::vector<int> numbers(reported.begin() + 1, reported.end());
        for (int pupil = 1; pupil <= kWriters; ++pupil)
            arguments.push_back({path, QString::number(pupil), QString::number(landed[pupil] + 1),
                                 QStringLiteral("0")});
        QString error;
        ASSERT_TRUE(
            killer.killTogether(QStringLiteral(ENDLESS_APPENDER), arguments, numbers, &error))
            << error.toStdString();
        std::copy(numbers.begin(), numbers.end(), reported.begin() + 1);
        ASSERT_NO_FATAL_FAILURE(checkFile(&wholeLength, &torn));
        if (std::accumulate(landed.begin(), landed.end(), 0) > landedBefore) {
            ASSERT_FALSE(torn) << "an append left a torn record in place, round " << round;
        }
    }

    // One more append after a torn record: it lands at the first torn byte.
    ASSERT_NO_FATAL_FAILURE(tearTail());
    QProcess last;
    last.start(QStringLiteral(ENDLESS_APPENDER),
               {path, QStringLiteral("1"), QString::number(landed[1] + 1), QStringLiteral("1")});
    ASSERT_TRUE(last.waitForFinished(30000));
    ASSERT_EQ(last.exitCode(), 0) << last.readAllStandardError().toStdString();
    reported[1] = landed[1] + 1;
    const qint64 before = wholeLength;
    ASSERT_NO_FATAL_FAILURE(checkFile(&wholeLength, &torn));
    EXPECT_FALSE(torn);
    EXPECT_EQ(wholeLength, before + RecordCodec::kResultLength);
}
