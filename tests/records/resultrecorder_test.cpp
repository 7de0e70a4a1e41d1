#include "recordsfixture.h"

#include <QDir>

#include <cerrno>

namespace {

// What appendResultRecord writes for pupil 1234, item 8, result 345, school "12345" on
// 10 April 2026 (day 46122) at 18:00 (0.75 of the day), in the layout's byte order.
const QByteArray kResultRecordBytes = QByteArray::fromHex("000000004085e640" // date 46122.0
                                                          "000000000000e83f" // time 0.75
                                                          "d204"             // pupil 1234
                                                          "0800"             // item 8
                                                          "59010000"         // result 345
                                                          "3132333435"       // school code "12345"
                                                          "2020202020"       // points: blank
                                                          "3020202020"       // value: "0"
                                                          "0000000000");     // spare

const QByteArray kHomeRecordBytes =
    QByteArray::fromHex("8e6c8e9a8f6e8cea5c2020202020202020202020" // "四字熟語\" padded to 20 bytes
                        "0000"                                     // content number 0
                        "000000004085e640"                         // date
                        "000000000000e83f"                         // time
                        "d204"                                     // pupil
                        "0800"                                     // item
                        "59010000"                                 // result
                        "3132333435"                               // school code
                        "000000000000000000000000000000");         // three spare fields

} // namespace

class ResultRecorderTest : public RecordsTest
{
protected:
    ResultRecorder& recorder() { return records.recorder(); }
    qint64 resultRecordCount() const
    {
        return fileBytes(resultPath()).size() / RecordCodec::kResultLength;
    }
};

TEST_F(ResultRecorderTest, WritesBothRecordsByteForByte)
{
    QDir(inst.root()).mkdir(QStringLiteral("四字熟語"));
    state->dataFolder = inst.root() + QStringLiteral("/四字熟語/");
    state->commonFolder = state->dataFolder + QStringLiteral("../files/");
    clock.current = QDateTime(QDate(2026, 4, 10), QTime(18, 0));
    finishDrill(1234, 8, 345);

    recorder().appendResultRecord();

    ASSERT_EQ(kResultRecordBytes.size(), 44);
    ASSERT_EQ(kHomeRecordBytes.size(), 66);
    EXPECT_EQ(fileBytes(resultPath()).toHex(' '), kResultRecordBytes.toHex(' '));
    EXPECT_EQ(fileBytes(homePath()).toHex(' '), kHomeRecordBytes.toHex(' '));

    records.computeStatistics();
    ASSERT_EQ(tables.loadedCount(), 1);
    const LoadedRecord& back = tables.loadedRecord(1);
    EXPECT_EQ(back.date, 46122.0);
    EXPECT_EQ(back.time, 0.75);
    EXPECT_EQ(back.pupil, 1234);
    EXPECT_EQ(back.item, 8);
    EXPECT_EQ(back.result, 345);
    EXPECT_EQ(back.value, 0);
    QString program;
    const ResultRecord home = RecordCodec::decodeHome(kHomeRecordBytes.constData(), &program);
    EXPECT_EQ(program.trimmed(), QStringLiteral("四字熟語\\"));
    EXPECT_EQ(home.pupilNo, 1234);
    EXPECT_EQ(home.schoolCodeText(), QStringLiteral("12345"));
}

TEST_F(ResultRecorderTest, AppendsAtTheEndAndOverwritesAPartialTail)
{
    finishDrill(3, 2, 70);
    recorder().appendResultRecord(); // the file does not exist yet
    EXPECT_EQ(fileBytes(resultPath()).size(), 44);

    // A writer that died left 10 bytes of a third record behind.
    writeResultFile({result(1, 2, 50, today()), result(2, 2, 60, today())}, QByteArray(10, 'x'));
    finishDrill(3, 2, 70);
    recorder().appendResultRecord();
    const QByteArray bytes = fileBytes(resultPath());
    ASSERT_EQ(bytes.size(), 3 * 44);
    const ResultRecord third = RecordCodec::decodeResult(bytes.constData() + 88);
    EXPECT_EQ(third.pupilNo, 3);
    EXPECT_EQ(third.result, 70);
}

TEST_F(ResultRecorderTest, PupilsFrom4900To5000StayOutOfTheHomeFile)
{
    for (const int pupil : {4899, 4900, 4950, 5000, 1}) {
        finishDrill(pupil, 2, 70);
        recorder().appendResultRecord();
    }
    EXPECT_EQ(resultRecordCount(), 5);
    const QByteArray home = fileBytes(homePath());
    ASSERT_EQ(home.size(), 2 * 66);
    EXPECT_EQ(RecordCodec::decodeHome(home.constData()).pupilNo, 4899);
    EXPECT_EQ(RecordCodec::decodeHome(home.constData() + 66).pupilNo, 1);
}

TEST_F(ResultRecorderTest, OnlyABetterResultSetsTheRecordFlags)
{
    writeResultFile({result(1, 2, 80, today()), result(2, 2, 70, today())});
    records.computeStatistics();

    // Equal to the personal best: no flag, best unchanged.
    finishDrill(1, 2, 80);
    recorder().recordResult(2);
    EXPECT_EQ(state->newPersonalBest, 0);
    EXPECT_EQ(state->newOverallBest, 0);
    EXPECT_EQ(tables.personalBest.at(2, 1), 80);

    // Better for the pupil, not better than pupil 2.
    finishDrill(1, 2, 75);
    recorder().recordResult(2);
    EXPECT_EQ(state->newPersonalBest, 1);
    EXPECT_EQ(state->newOverallBest, 0);
    EXPECT_EQ(tables.personalBest.at(2, 1), 75);
    EXPECT_EQ(tables.overallBest[2], 70);

    // The recorder only sets the flags; the finish screen clears them.
    finishDrill(1, 2, 90);
    recorder().recordResult(2);
    EXPECT_EQ(state->newPersonalBest, 1);
    state->newPersonalBest = 0;

    finishDrill(1, 2, 70);
    recorder().recordResult(2);
    EXPECT_EQ(state->newPersonalBest, 1);
    EXPECT_EQ(state->newOverallBest, 0);

    finishDrill(1, 2, 69);
    recorder().recordResult(2);
    EXPECT_EQ(state->newOverallBest, 1);
    EXPECT_EQ(tables.overallBest[2], 69);
    EXPECT_EQ(resultRecordCount(), 2 + 5);

    // A first time-over neither counts as a best nor sets a flag.
    state->newPersonalBest = 0;
    state->newOverallBest = 0;
    finishDrill(9, 4, 99999);
    recorder().recordResult(4);
    EXPECT_EQ(state->newPersonalBest, 0);
    EXPECT_EQ(state->newOverallBest, 0);
}

TEST_F(ResultRecorderTest, MasteryComesFromTheStatisticsBeforeThisDrill)
{
    // Three results of 30 seconds: 22 points each; the item needs 3 attempts and 30 points.
    writeResultFile({result(5, 2, 30, today()), result(5, 2, 30, today() - 1),
                     result(6, 2, 30, today()), result(6, 2, 30, today())});
    records.computeStatistics();
    finishDrill(5, 2, 30);
    recorder().recordResult(2);
    EXPECT_EQ(state->itemMastered, 0); // 2 attempts so far; this one is not counted yet

    records.computeStatistics();
    finishDrill(5, 2, 99999);
    recorder().recordResult(2);
    EXPECT_EQ(state->itemMastered, 1);

    finishDrill(6, 2, 30);
    recorder().recordResult(2);
    EXPECT_EQ(state->itemMastered, 0);
}

TEST_F(ResultRecorderTest, WaitsASecondAtATimeWhileAnotherMachineHoldsTheLock)
{
    finishDrill(1, 2, 70);
    calls.lockErrors = {EAGAIN, EACCES, EAGAIN};
    recorder().appendResultRecord();
    EXPECT_EQ(sleeper.waits, (QList<int>{1000, 1000, 1000}));
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(resultRecordCount(), 1);
    EXPECT_EQ(fileBytes(homePath()).size(), 66);
}

TEST_F(ResultRecorderTest, AFailedAppendEndsTheProgramAndLeavesNoPartOfTheRecord)
{
    writeResultFile({result(1, 2, 50, today())});
    const QByteArray before = fileBytes(resultPath());
    finishDrill(2, 2, 60);

    const struct
    {
        const char* what;
        std::function<void()> arrange;
        int error;
    } failures[] = {
        {"disk full in the middle",
         [&] {
             calls.writeBytesBeforeError = 20;
             calls.writeError = ENOSPC;
         },
         ENOSPC},
        {"sync fails", [&] { calls.syncErrors = {EIO}; }, EIO},
        {"lock fails", [&] { calls.lockErrors = {ENOLCK}; }, ENOLCK},
        {"open refused", [&] { calls.openErrors = {EACCES}; }, EACCES},
    };
    for (const auto& failure : failures) {
        SCOPED_TRACE(failure.what);
        calls = ScriptedFileCalls();
        messages.shown.clear();
        failure.arrange();
        EXPECT_THROW(recorder().appendResultRecord(), ProgramExitRequested);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_EQ(messages.shown[0].text,
                  QStringLiteral("成績ランダムファイル記録") + FileCalls::errorText(failure.error));
        EXPECT_EQ(fileBytes(resultPath()).toHex(' '), before.toHex(' '));
        EXPECT_TRUE(fileBytes(homePath()).isEmpty());
        EXPECT_EQ(calls.opens, calls.closes);
        EXPECT_TRUE(sleeper.waits.isEmpty());
    }
    EXPECT_EQ(exit.requests, 4);
}

TEST_F(ResultRecorderTest, APupilOrItemOutsideTheTablesIsNeverWritten)
{
    for (const auto& [pupil, item] : {std::pair{0, 2}, {5001, 2}, {-3, 2}, {1, 0}, {1, 36}}) {
        messages.shown.clear();
        finishDrill(pupil, item, 50);
        EXPECT_THROW(recorder().recordResult(item), ProgramExitRequested);
        ASSERT_EQ(messages.shown.size(), 1);
        EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("Seisekikiroku")));
    }
    EXPECT_FALSE(QFile::exists(resultPath()));
    EXPECT_EQ(state->newPersonalBest, 0);
}
