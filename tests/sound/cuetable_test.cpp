#include "sound/cuetable.h"
#include "testinstallation.h"

#include <gtest/gtest.h>

namespace {
CueTable loadList(const TestInstallation& inst, const QString& text)
{
    inst.writeText(QStringLiteral("files/新音ファイル.txt"), text);
    CueTable table;
    EXPECT_TRUE(table.load(inst.filesDir() + QStringLiteral("/新音ファイル.txt")).ok());
    return table;
}
} // namespace

TEST(CueTable, BlocksFillTheirCueAndStrayValuesAreSkipped)
{
    TestInstallation inst;
    const CueTable table = loadList(
        inst, QStringLiteral("stray,正解音2,good1,good2,*\nother,*,間違い音2,\"bad 1\",*\n"));
    EXPECT_EQ(table.name(CueTable::Correct2), QStringLiteral("正解音2"));
    EXPECT_EQ(table.fileName(CueTable::Correct2, 1), QStringLiteral("good1"));
    EXPECT_EQ(table.fileName(CueTable::Correct2, 2), QStringLiteral("good2"));
    EXPECT_EQ(table.countText(CueTable::Correct2), QStringLiteral("2"));
    EXPECT_EQ(table.fileName(CueTable::Wrong2, 1), QStringLiteral("bad 1"));
    EXPECT_EQ(table.countText(CueTable::Wrong2), QStringLiteral("1"));
    EXPECT_TRUE(table.countText(CueTable::Correct1).isEmpty());
}

TEST(CueTable, TwentyNamesAreStoredWithoutACount)
{
    TestInstallation inst;
    QString block = QStringLiteral("不合格音1");
    for (int i = 1; i <= 20; ++i)
        block += QStringLiteral(",f%1").arg(i);
    // The "*" after twenty names is read at the outer level; the next block still counts.
    const CueTable table = loadList(inst, block + QStringLiteral(",*,正解音1,a,*\n"));
    EXPECT_EQ(table.fileName(CueTable::Fail1, 20), QStringLiteral("f20"));
    EXPECT_TRUE(table.countText(CueTable::Fail1).isEmpty());
    EXPECT_EQ(table.countText(CueTable::Correct1), QStringLiteral("1"));

    QString nineteen = QStringLiteral("不合格音1");
    for (int i = 1; i <= 19; ++i)
        nineteen += QStringLiteral(",f%1").arg(i);
    EXPECT_EQ(loadList(inst, nineteen + QStringLiteral(",*")).countText(CueTable::Fail1),
              QStringLiteral("19"));
}

TEST(CueTable, EmptyListLeavesEveryCountEmptyAndMissingListFails)
{
    TestInstallation inst;
    const CueTable table = loadList(inst, QString());
    for (int e = 1; e <= CueTable::kCueCount; ++e)
        EXPECT_TRUE(table.countText(e).isEmpty());
    CueTable missing;
    const Status status = missing.load(inst.root() + QStringLiteral("/none/新音ファイル.txt"));
    EXPECT_FALSE(status.ok());
    EXPECT_TRUE(status.message.contains(QStringLiteral("新音ファイル.txt")));
}

TEST(CueTable, RandomPickCoversEveryFileAndStaysInRange)
{
    TestInstallation inst;
    const CueTable table = loadList(inst, QStringLiteral("正解音2,a,b,c,*"));
    EXPECT_EQ(table.pickFile(CueTable::Correct2, 0.0), QStringLiteral("a"));
    EXPECT_EQ(table.pickFile(CueTable::Correct2, 0.34), QStringLiteral("b"));
    EXPECT_EQ(table.pickFile(CueTable::Correct2, 0.999999), QStringLiteral("c"));
    EXPECT_EQ(table.pickFile(CueTable::Correct2, 1.0), QStringLiteral("c"));
    EXPECT_TRUE(table.pickFile(CueTable::Wrong2, 0.7).isEmpty()); // count 0: row 1, empty
}
