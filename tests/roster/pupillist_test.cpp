#include "roster/pupillist.h"

#include <gtest/gtest.h>

namespace {

// Columns a text takes in the fixed-pitch list font: two for a full-width character.
int columnsOf(const QString& text)
{
    int columns = 0;
    for (const QChar c : text)
        columns += c.unicode() < 0x80 ? 1 : 2;
    return columns;
}

RosterEntry entry(int pupilNo, int birthYear, const QString& name)
{
    RosterEntry e;
    e.pupilNo = static_cast<qint16>(pupilNo);
    e.birthYear = static_cast<qint16>(birthYear);
    e.rosterName = fixedWidthText(name);
    return e;
}

} // namespace

TEST(PupilListTest, SummaryColumnsKeepTheirWidthWhetherEmptyOrFilled)
{
    const struct
    {
        QString empty;
        QString filled;
        QString filledExpected;
    } columns[] = {
        {todayCountColumn(0), todayCountColumn(3), "  3回"},
        {todayPointsColumn(0), todayPointsColumn(45), "  45"},
        {attemptCountColumn(0), attemptCountColumn(128), "  128回"},
        {totalPointsColumn(0), totalPointsColumn(1234), "   1234"},
    };
    for (const auto& c : columns) {
        EXPECT_EQ(c.filled, c.filledExpected);
        EXPECT_EQ(columnsOf(c.empty), columnsOf(c.filled)) << c.empty.toStdString();
    }
    EXPECT_EQ(todayPointsColumn(0), QStringLiteral("  　"));
    EXPECT_EQ(attemptCountColumn(0), QStringLiteral("     　"));
    // Sums too wide for their column keep their last digits, as the row layout needs.
    EXPECT_EQ(todayCountColumn(1234), QStringLiteral("234回"));
}

TEST(PupilListTest, RowsAreBuiltFromYearGradeNamePaddingColumnsAndNumber)
{
    PupilSums sums;
    sums.todayCount = 2;
    sums.todayPoints = 17;
    sums.attemptCount = 40;
    sums.totalPoints = 512;
    const PupilRow row = makePupilRow(entry(7, 2017, "さくら"), 2026, sums, TodayPointsAllPoints);
    EXPECT_EQ(row.sortItem, QStringLiteral("2017小3 さくら　　　  17/    512*7"));
    EXPECT_EQ(visibleRow(row), QStringLiteral("小3 さくら　　　  17/    512"));
    EXPECT_EQ(keyItem(row), QStringLiteral("小3 さくら　　　  17/    512*7"));
    EXPECT_EQ(row.gradeNo, 3);

    // Kindergarten rows get a wider name column except in display mode 1.
    const RosterEntry small = entry(3, 2021, "こうた");
    EXPECT_EQ(visibleRow(makePupilRow(small, 2026, sums, TodayCountAllCount)),
              QStringLiteral("幼2 こうた　　　　　  2回/   40回"));
    EXPECT_EQ(visibleRow(makePupilRow(small, 2026, sums, TodayPointsAllPoints)),
              QStringLiteral("幼2 こうた　　　  17/    512"));

    // A name longer than the column gets no padding; a "*" in a name does not hide the number.
    const PupilRow odd =
        makePupilRow(entry(42, 2015, "ながいなまえのこ*"), 2026, {}, AllPointsAllCount);
    EXPECT_EQ(visibleRow(odd), QStringLiteral("小5 ながいなまえのこ*       /     　"));
    EXPECT_TRUE(keyItem(odd).endsWith(QStringLiteral("*42")));
}

TEST(PupilListTest, RowsFollowTheCodePageByteOrder)
{
    // In the code page, level-1 kanji come in reading order: 加 (か) before 佐 (さ), although
    // 佐 comes first in Unicode; hiragana come before katakana; older pupils come first.
    std::vector<PupilRow> rows = {
        makePupilRow(entry(1, 2015, "佐藤"), 2026, {}, 1),
        makePupilRow(entry(2, 2015, "加藤"), 2026, {}, 1),
        makePupilRow(entry(3, 2015, "カナ"), 2026, {}, 1),
        makePupilRow(entry(4, 2015, "かな"), 2026, {}, 1),
        makePupilRow(entry(5, 2013, "ゆい"), 2026, {}, 1),
    };
    sortPupilRows(rows);
    QList<int> order;
    for (const PupilRow& row : rows)
        order.append(keyItem(row).section(u'*', -1).toInt());
    EXPECT_EQ(order, (QList<int>{5, 4, 3, 2, 1}));
}
