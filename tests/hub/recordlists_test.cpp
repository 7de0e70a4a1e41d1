#include "hub/recordlists.h"
#include "hubfixture.h"

#include <cerrno>

namespace {

// Pupil 9 (grade 3) is at the screen; pupil 1 is in grade 3, pupil 3 in grade 5.
class RecordListsTest : public ::testing::Test, public HubFixture
{
protected:
    RecordListsTest()
    {
        addPupil(1, 2017, QStringLiteral("あおい"));
        addPupil(3, 2015, QStringLiteral("みなと"));
        addPupil(9, 2017, QStringLiteral("ゆい"));
        choosePupil(9);
    }

    RecordLists read(RecordView view, const QString& filter = QStringLiteral("全学年"))
    {
        progressCalls = 0;
        return reader.read(view, filter, [this](qint64 done, qint64 maximum) {
            ++progressCalls;
            lastDone = done;
            lastMaximum = maximum;
        });
    }

    RecordListReader reader{*state, calls, clock};
    int progressCalls = 0;
    qint64 lastDone = 0;
    qint64 lastMaximum = 0;
};

} // namespace

TEST_F(RecordListsTest, TodaysResultsInFileOrderWithTheirBasePoints)
{
    writeResults({result(1, 2, 57, today(), QTime(9, 5, 40)),
                  result(9, 2, 30, today(), QTime(13, 20)),
                  result(3, 4, 90000, today(), QTime(14, 0)), result(1, 2, 45, today() - 1)});
    const RecordLists lists = read(RecordView::Today);
    ASSERT_TRUE(lists.status.ok());
    ASSERT_EQ(lists.byItem.size(), 21u);
    // 57 seconds on a target of 60 earns 5 points before the multiplier of 2.
    EXPECT_EQ(lists.byItem[2],
              (QStringList{"  57秒 09:05③あおい　　③5", "  30秒 13:20●ゆい　　　●11"}));
    EXPECT_EQ(lists.byItem[4], (QStringList{"　　× 14:00⑤みなと　　⑤"}));
    // Records 0..4 read: the bar goes to (4 + 1) x 1.1.
    EXPECT_EQ(lastDone, 4);
    EXPECT_EQ(lastMaximum, 5);
}

TEST_F(RecordListsTest, AllRecordsShowTheDayAndLeaveOutRecordsOlderThanTenYears)
{
    writeResults({result(1, 2, 70, today() - 3650), result(1, 2, 70, today() - 3649),
                  result(9, 6, 99999, today() - 40, QTime(8, 0)),
                  result(3, 2, 120, today(), QTime(23, 59, 59))});
    const RecordLists lists = read(RecordView::AllRecords);
    EXPECT_EQ(lists.byItem[2],
              (QStringList{"  70秒 04/13③あおい　　③4", " 120秒 04/10⑤みなと　　⑤1"}));
    EXPECT_EQ(lists.byItem[6], (QStringList{"　　× 03/01●ゆい　　　●"}));
}

TEST_F(RecordListsTest, PersonalTimesListOnlyThePupilAtTheScreen)
{
    writeResults({result(9, 2, 57, today() - 2, QTime(9, 5, 7)), result(1, 2, 40, today()),
                  result(9, 2, 99999, today(), QTime(16, 30))});
    const RecordLists lists = read(RecordView::PersonalTimes);
    EXPECT_EQ(lists.byItem[2], (QStringList{"2026/04/08 9:05:07  57秒", "2026/04/10 16:30:00"}));
    EXPECT_TRUE(read(RecordView::PersonalTimes, QStringLiteral("小５")).byItem[2].isEmpty());
}

TEST_F(RecordListsTest, APupilOutsideTheGradeGroupIsNeverListed)
{
    writeResults({result(1, 2, 57, today()), result(3, 2, 58, today()), result(9, 2, 59, today())});
    for (RecordView view : {RecordView::Today, RecordView::AllRecords}) {
        const RecordLists lists = read(view, QStringLiteral("小５"));
        ASSERT_EQ(lists.byItem[2].size(), 1);
        EXPECT_TRUE(lists.byItem[2].first().contains(QStringLiteral("⑤みなと")));
        EXPECT_EQ(read(view, QStringLiteral("小３")).byItem[2].size(), 2);
    }
}

TEST_F(RecordListsTest, RecordsWithoutAColumnOrOutsideThePupilTablesAreSkippedInEveryView)
{
    writeResults({result(9, 21, 50, today()), result(9, 35, 50, today()), result(9, 0, 50, today()),
                  result(9, -3, 50, today()), result(0, 2, 50, today()),
                  result(5001, 2, 50, today()), result(-9, 2, 50, today()), result(9, 2, 50, 1e300),
                  result(9, 20, 50, today())});
    for (RecordView view : {RecordView::Today, RecordView::AllRecords, RecordView::PersonalTimes}) {
        const RecordLists lists = read(view);
        int lines = 0;
        for (const QStringList& list : lists.byItem)
            lines += static_cast<int>(list.size());
        EXPECT_EQ(lines, 1) << static_cast<int>(view);
        EXPECT_EQ(lists.byItem[20].size(), 1);
    }
}

TEST_F(RecordListsTest, OnlyTheNewest20000RecordsAreReadForThePeriodViews)
{
    std::vector<ResultRecord> many(20005, result(1, 2, 70, today()));
    many.front().itemNo = 4;
    many.back().itemNo = 6;
    writeResults(many);
    EXPECT_TRUE(read(RecordView::AllRecords).byItem[4].isEmpty());
    EXPECT_EQ(read(RecordView::AllRecords).byItem[6].size(), 1);
    EXPECT_EQ(lastDone, 20000);
    EXPECT_EQ(read(RecordView::Today).byItem[4].size(), 1);
    EXPECT_EQ(lastDone, 20005);
}

TEST_F(RecordListsTest, AnUnreadableFileLeavesEveryListEmptyWithANotice)
{
    writeResults(std::vector<ResultRecord>(600, result(1, 2, 70, today())));
    calls.readErrors = {0, EIO};
    const RecordLists lists = read(RecordView::Today);
    EXPECT_FALSE(lists.status.ok());
    EXPECT_TRUE(lists.status.message.startsWith(kUnreadableResultFileText));
    for (const QStringList& list : lists.byItem)
        EXPECT_TRUE(list.isEmpty());
    EXPECT_EQ(calls.closes, 1);

    calls.openErrors = {EACCES};
    EXPECT_FALSE(read(RecordView::AllRecords).status.ok());
}

TEST_F(RecordListsTest, AMissingFileIsAnEmptyFile)
{
    inst.remove(QStringLiteral("prog/") + kResultFileName);
    const RecordLists lists = read(RecordView::Today);
    EXPECT_TRUE(lists.status.ok());
    EXPECT_TRUE(lists.byItem[2].isEmpty());
}
