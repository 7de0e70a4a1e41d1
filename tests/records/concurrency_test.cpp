#include "recordsfixture.h"

#include <QProcess>

#include <map>
#include <vector>

// Several writers append to the same files at the same time, as machines of a school do on
// one shared folder. No record may be lost, doubled or torn.
TEST_F(RecordsTest, EightWritersAppendingAtOnceLoseNothing)
{
    constexpr int kWriters = 8;
    constexpr int kEach = 500;
    std::vector<std::unique_ptr<QProcess>> writers;
    for (int pupil = 1; pupil <= kWriters; ++pupil) {
        auto process = std::make_unique<QProcess>();
        process->start(QStringLiteral(RECORD_APPENDER),
                       {state->dataFolder, state->commonFolder, QString::number(pupil),
                        QString::number(kEach)});
        writers.push_back(std::move(process));
    }
    int lockWaits = 0;
    for (auto& writer : writers) {
        ASSERT_TRUE(writer->waitForFinished(120000));
        EXPECT_EQ(writer->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(writer->exitCode(), 0) << writer->readAllStandardError().toStdString();
        lockWaits += writer->readAllStandardOutput().trimmed().toInt();
    }

    const struct
    {
        QString path;
        int length;
    } files[] = {{resultPath(), RecordCodec::kResultLength},
                 {homePath(), RecordCodec::kHomeLength}};
    for (const auto& file : files) {
        SCOPED_TRACE(file.path.toStdString());
        const QByteArray bytes = fileBytes(file.path);
        ASSERT_EQ(bytes.size(), qsizetype(kWriters) * kEach * file.length);
        std::map<int, int> lastResultOf;
        for (qsizetype at = 0; at < bytes.size(); at += file.length) {
            const char* record = bytes.constData() + at;
            const ResultRecord r = file.length == RecordCodec::kResultLength
                                       ? RecordCodec::decodeResult(record)
                                       : RecordCodec::decodeHome(record);
            ASSERT_GE(r.pupilNo, 1);
            ASSERT_LE(r.pupilNo, kWriters);
            ASSERT_EQ(r.itemNo, 2);
            ASSERT_EQ(r.schoolCodeText(), QStringLiteral("12345"));
            ASSERT_TRUE(DayNumber::toDate(r.date).isValid());
            // Each writer's results arrive in order, none missing, none twice.
            ASSERT_EQ(r.result, lastResultOf[r.pupilNo] + 1) << "record at byte " << at;
            lastResultOf[r.pupilNo] = r.result;
            if (file.length == RecordCodec::kResultLength)
                ASSERT_EQ(QByteArray(record + 29, 15),
                          QByteArray("     0    ") + QByteArray(5, '\0'));
            else
                ASSERT_EQ(QByteArray(record + 51, 15), QByteArray(15, '\0'));
        }
        for (int pupil = 1; pupil <= kWriters; ++pupil)
            EXPECT_EQ(lastResultOf[pupil], kEach);
    }
    // The loader sees them too.
    records.computeStatistics();
    EXPECT_EQ(tables.loadedCount(), kWriters * kEach);
    RecordProperty("lockWaits", lockWaits);
}
