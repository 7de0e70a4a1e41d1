#include "randomkiller.h"
#include "recordsfixture.h"

#include <array>

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
    int tornTails = 0;

    // Reads the file and checks that each pupil's results run on without a gap or a repeat.
    auto checkFile = [&](qint64* wholeLength) {
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
        tornTails += bytes.size() != *wholeLength;
    };

    qint64 wholeLength = 0;
    while (killer.kills() < kKills) {
        std::array<QProcess, kWriters + 1> writers;
        for (int pupil = 1; pupil <= kWriters; ++pupil)
            killer.start(writers[pupil], QStringLiteral(ENDLESS_APPENDER),
                         {path, QString::number(pupil), QString::number(landed[pupil] + 1),
                          QStringLiteral("0")});
        for (int pupil = 1; pupil <= kWriters; ++pupil) {
            bool ok = false;
            const QByteArray output = killer.kill(writers[pupil], &ok);
            ASSERT_TRUE(ok) << writers[pupil].readAllStandardError().toStdString();
            for (const QByteArray& line : output.split('\n'))
                if (!line.isEmpty())
                    reported[pupil] = line.toInt();
        }
        ASSERT_NO_FATAL_FAILURE(checkFile(&wholeLength));
    }

    // One more append, to the end: it lands at the first torn byte, and the file is whole.
    QProcess last;
    last.start(QStringLiteral(ENDLESS_APPENDER),
               {path, QStringLiteral("1"), QString::number(landed[1] + 1), QStringLiteral("1")});
    ASSERT_TRUE(last.waitForFinished(30000));
    ASSERT_EQ(last.exitCode(), 0) << last.readAllStandardError().toStdString();
    reported[1] = landed[1] + 1;
    const qint64 before = wholeLength;
    ASSERT_NO_FATAL_FAILURE(checkFile(&wholeLength));
    EXPECT_EQ(fileBytes(path).size(), before + RecordCodec::kResultLength);
    RecordProperty("tornTails", tornTails);
}
