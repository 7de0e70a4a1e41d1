#include "recordsfixture.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cmath>
#include <limits>

class ResultLoaderTest : public RecordsTest
{
protected:
    void load() { records.loader().loadResultRecords(tables); }

    void expectNoBestTimes()
    {
        for (int i = 1; i <= kMaxItemNo; ++i) {
            EXPECT_EQ(tables.overallBest[i], 99999);
            for (int p : {1, 2, 4999, 5000})
                EXPECT_EQ(tables.personalBest.at(i, p), 99999);
        }
        for (int p : {1, 2, 5000})
            EXPECT_EQ(tables.hasRecords[p], 0);
    }
};

TEST_F(ResultLoaderTest, AMissingFileIsCreatedEmptyAndHasNoRecords)
{
    ASSERT_FALSE(QFile::exists(resultPath()));
    load();
    EXPECT_TRUE(QFile::exists(resultPath()));
    EXPECT_EQ(QFileInfo(resultPath()).size(), 0);
    EXPECT_EQ(tables.loadedCount(), 0);
    expectNoBestTimes();
    EXPECT_TRUE(sleeper.waits.isEmpty());
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ResultLoaderTest, AReloadForgetsWhatTheFileNoLongerHolds)
{
    writeResultFile({result(1, 2, 50, today()), result(2, 4, 60, today())});
    load();
    EXPECT_EQ(tables.loadedCount(), 2);
    EXPECT_EQ(tables.personalBest.at(2, 1), 50);
    EXPECT_EQ(tables.highestItem[2], 4);

    writeResultFile({});
    load();
    EXPECT_EQ(tables.loadedCount(), 0);
    EXPECT_EQ(tables.highestItem[2], 0);
    expectNoBestTimes();
}

TEST_F(ResultLoaderTest, ScansTheLast20000RecordsAndLoadsTheNewest10001)
{
    // Record k has result k, pupil 1 + k % 100, item 2; the file holds 25000.
    std::vector<ResultRecord> file;
    for (int k = 1; k <= 25000; ++k)
        file.push_back(result(1 + k % 100, 2, k, today()));
    writeResultFile(file, QByteArray(43, 'x'));
    load();

    // The scan starts at record 5001: pupil 2's best is 5001, pupil 1's is 5100, not 5000.
    EXPECT_EQ(tables.personalBest.at(2, 2), 5001);
    EXPECT_EQ(tables.personalBest.at(2, 1), 5100);
    EXPECT_EQ(tables.overallBest[2], 5001);
    ASSERT_EQ(tables.loadedCount(), 10001);
    EXPECT_EQ(tables.loadedRecord(1).result, 15000);
    EXPECT_EQ(tables.loadedRecord(10001).result, 25000);
    for (int j = 2; j <= tables.loadedCount(); ++j)
        ASSERT_EQ(tables.loadedRecord(j).result, tables.loadedRecord(j - 1).result + 1);
}

TEST_F(ResultLoaderTest, DropsRecordsWithoutAPupilItemOrDate)
{
    const double noDate = std::numeric_limits<double>::quiet_NaN();
    writeResultFile({
        result(0, 2, 10, today()),    // no pupil
        result(9999, 2, 10, today()), // pupils and items outside the tables
        result(-3, 2, 10, today()),
        result(5001, 2, 10, today()),
        result(7, 200, 10, today()),
        result(7, -1, 10, today()),
        result(7, 0, 10, today()),
        result(7, 36, 10, today()),
        result(8, 2, 20, -1), // a negative date: kept out of the list, best counts
        result(8, 4, 30, noDate),
        result(8, 6, 40, today()),
    });
    load();

    ASSERT_EQ(tables.loadedCount(), 1);
    EXPECT_EQ(tables.loadedRecord(1).pupil, 8);
    EXPECT_EQ(tables.loadedRecord(1).item, 6);
    EXPECT_EQ(tables.personalBest.at(2, 8), 20);
    EXPECT_EQ(tables.personalBest.at(4, 8), 30);
    EXPECT_EQ(tables.overallBest[2], 20);
    EXPECT_EQ(tables.hasRecords[8], 1);
    EXPECT_EQ(tables.highestItem[8], 6);
    EXPECT_EQ(tables.hasRecords[7], 0);
    EXPECT_EQ(tables.personalBest.at(2, 0), 99999);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ResultLoaderTest, AnUnreachableFolderIsTriedFourTimesFiveSecondsApart)
{
    state->dataFolder = inst.root() + QStringLiteral("/gone/");
    EXPECT_THROW(load(), ProgramExitRequested);
    EXPECT_EQ(sleeper.waits, (QList<int>{5000, 5000, 5000}));
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("ファイルがありません1") +
                                          FileCalls::errorText(ENOENT) + QString::number(ENOENT));
    EXPECT_EQ(exit.requests, 1);
}

TEST_F(ResultLoaderTest, AFolderThatComesBackIsRead)
{
    writeResultFile({result(1, 2, 50, today())});
    calls.openErrors = {ENOENT, ESTALE, ENOENT};
    load();
    EXPECT_EQ(sleeper.waits, (QList<int>{5000, 5000, 5000}));
    EXPECT_EQ(tables.loadedCount(), 1);
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(ResultLoaderTest, ARefusedReadIsRetriedEachSecondForAMinute)
{
    writeResultFile({result(1, 2, 50, today())});
    calls.readErrors = {EACCES, EAGAIN, EINTR, EACCES};
    load();
    EXPECT_EQ(sleeper.waits, (QList<int>{1000, 1000, 1000}));
    EXPECT_EQ(tables.loadedCount(), 1);

    sleeper.waits.clear();
    calls.readErrors = std::deque<int>(61, EACCES);
    EXPECT_THROW(load(), ProgramExitRequested);
    EXPECT_EQ(sleeper.waits.size(), 60);
    ASSERT_EQ(messages.shown.size(), 1);
    EXPECT_TRUE(messages.shown[0].text.startsWith(QStringLiteral("成績ランダムファイル表示4")));
    EXPECT_EQ(calls.opens, calls.closes);
}

TEST_F(ResultLoaderTest, OtherErrorsEndTheProgramAtOnceNamingTheStepAndFields)
{
    writeResultFile({result(1, 2, 50, today())});
    calls.readErrors = {EIO};
    EXPECT_THROW(load(), ProgramExitRequested);
    EXPECT_TRUE(sleeper.waits.isEmpty());
    ASSERT_EQ(messages.shown.size(), 1);
    const QString text = messages.shown[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("成績ランダムファイル表示4")));
    EXPECT_TRUE(text.contains(FileCalls::errorText(EIO)));
    qsizetype at = 0;
    for (const char* label :
         {"/date", "/i=", "/time=", "/name=", "/Bangou=", "/level=", "/time=", "line"}) {
        at = text.indexOf(QLatin1String(label), at);
        EXPECT_GE(at, 0) << label;
    }
    EXPECT_EQ(calls.opens, calls.closes);
}
