#include "core/settingsfiles.h"
#include "core/sharedstate.h"
#include "testinstallation.h"

#include <gtest/gtest.h>

#include <memory>

TEST(CommonData, SchoolCodeIsSplitOnlyFromANonzeroNumber)
{
    const struct
    {
        QString value, code, name;
    } cases[] = {
        {QStringLiteral("12345名前"), QStringLiteral("12345"), QStringLiteral("名前")},
        {QStringLiteral("00000名前"), QString(), QStringLiteral("00000名前")},
        {QStringLiteral("ひまわり教室"), QString(), QStringLiteral("ひまわり教室")},
        {QStringLiteral("00012教室"), QStringLiteral("00012"), QStringLiteral("教室")},
    };
    for (const auto& c : cases) {
        SharedState state;
        splitSchoolNameAndCode(state, c.value);
        EXPECT_EQ(state.schoolCode, c.code) << c.value.toStdString();
        EXPECT_EQ(state.schoolName, c.name) << c.value.toStdString();
    }
}

TEST(CommonData, ReadsTheTenValues)
{
    TestInstallation inst;
    inst.writeText(QStringLiteral("files/共通データ.txt"),
                   QStringLiteral("4,\"12345ひまわり, 本校\",1,x\n5,6,7,8,9,10\n"));
    SharedState state;
    state.commonFolder = inst.filesDir() + u'/';
    ASSERT_TRUE(readCommonData(state).ok());
    EXPECT_EQ(state.schoolYearStartMonth, 4);
    EXPECT_EQ(state.schoolCode, QStringLiteral("12345"));
    EXPECT_EQ(state.schoolName, QStringLiteral("ひまわり, 本校"));
    EXPECT_EQ(state.commonOption3, 1);
    EXPECT_EQ(state.commonOption4, QStringLiteral("x"));
    EXPECT_EQ(state.commonExtra[6], QStringLiteral("10"));
}

class TimeTable : public ::testing::Test
{
protected:
    Status read(const QString& text)
    {
        inst.writeText(QStringLiteral("prog/タイム回数データ.txt"), text);
        state->dataFolder = inst.programDir() + u'/';
        return readItemTimeTable(*state, kItemTimeTableFileName);
    }
    TestInstallation inst;
    std::unique_ptr<SharedState> state = std::make_unique<SharedState>();
};

TEST_F(TimeTable, TwentyLinesFillItemsOneToTwentyOnly)
{
    ASSERT_TRUE(read(TestInstallation::timeTableText(20)).ok());
    EXPECT_EQ(state->itemTargetTime[1], 101);
    EXPECT_EQ(state->itemLimitTime[20], 220);
    EXPECT_FLOAT_EQ(state->itemField5[20], 1.5f);
    EXPECT_EQ(state->itemText8[20], QStringLiteral("7"));
    EXPECT_EQ(state->itemTargetTime[21], 0);
    EXPECT_EQ(state->itemLimitTime[21], 0);
    EXPECT_TRUE(state->itemText6[21].isEmpty());
}

TEST_F(TimeTable, ValuesAreCountedNotLines)
{
    // Item 1's line has eleven values; its twelfth is the first value of the next line.
    ASSERT_TRUE(read(QStringLiteral("60,90,30,3,2,3,30,7,30,a,b\n"
                                    "c,61,91,31,4,1.15,5,6,8,31,d,e,f\n")).ok());
    EXPECT_EQ(state->itemText12[1], QStringLiteral("c"));
    EXPECT_EQ(state->itemTargetTime[2], 61);
    EXPECT_EQ(state->itemRequiredCount[2], 4);
    EXPECT_FLOAT_EQ(state->itemField5[2], 1.15f);
    EXPECT_EQ(state->itemText12[2], QStringLiteral("f"));
}

TEST_F(TimeTable, AThirtySixthLineIsIgnored)
{
    ASSERT_TRUE(read(TestInstallation::timeTableText(36)).ok());
    EXPECT_EQ(state->itemTargetTime[35], 135);
}

TEST_F(TimeTable, AShortLastItemOrAMissingFileIsAnError)
{
    const Status shortTable = read(TestInstallation::timeTableText(3) + QStringLiteral("1,2,3\n"));
    EXPECT_FALSE(shortTable.ok());
    EXPECT_TRUE(shortTable.message.contains(QStringLiteral("タイム回数データ.txt")));
    EXPECT_TRUE(shortTable.message.contains(QStringLiteral("項目4")));

    state->dataFolder = inst.root() + QStringLiteral("/nowhere/");
    EXPECT_FALSE(readItemTimeTable(*state, kItemTimeTableFileName).ok());
}

TEST_F(TimeTable, CheckNamesTheFirstItemWithoutPositiveTimes)
{
    ASSERT_TRUE(read(TestInstallation::timeTableText(20)).ok());
    EXPECT_TRUE(checkItemTimeTable(*state).ok());
    state->itemTargetTime[9] = 0;
    const Status status = checkItemTimeTable(*state);
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message.contains(QStringLiteral("項目9")));
}
