#include "core/itemtables.h"

#include <QtGlobal>

#include <gtest/gtest.h>

#include <memory>
#include <utility>

// Clearing writes only the parts written since the last clear: every value written by at() or
// fill() must still come back as zero, at both ends of the table and across clears.
TEST(ItemPupilTable, ClearZeroesEveryValueWrittenSinceMade)
{
    auto table = std::make_unique<ItemPupilTable<qint64>>();
    EXPECT_EQ(table->at(kMaxItemNo, kMaxPupilNo), 0);

    table->at(0, 0) = 1;
    table->at(17, 2500) = 2;
    table->at(kMaxItemNo, kMaxPupilNo) = 3;
    table->clear();
    EXPECT_EQ(table->at(0, 0), 0);
    EXPECT_EQ(table->at(17, 2500), 0);
    EXPECT_EQ(table->at(kMaxItemNo, kMaxPupilNo), 0);

    table->fill(7);
    table->clear();
    for (int item = 0; item <= kMaxItemNo; ++item)
        for (int pupil = 0; pupil <= kMaxPupilNo; ++pupil)
            ASSERT_EQ(std::as_const(*table).at(item, pupil), 0) << item << ' ' << pupil;
}
