#include "writingfigures.h"
#include "writingfixture.h"
#include "writinggenerator.h"

// The grader's aims on a fixed sample: every sixth kanji of the table, three writings of each
// kind, and the look-alike pairs among them. bench_writing gives the same figures for the table.
TEST(WritingAccuracyTest, TheGraderMeetsItsAimsOnAFixedSample)
{
    QStringList sample;
    for (qsizetype i = 0; i < strokeTable().kanji().size(); i += 6)
        sample.append(strokeTable().kanji()[i]);
    const auto pairs = loadLookalikes(QStringLiteral(YOJI_LOOKALIKES));
    ASSERT_GE(pairs.size(), 150);
    const WritingFigures f = measureWriting(strokeTable(), sample, pairs, 3, 42);

    EXPECT_GE(f.light.share(f.light.accepted), 98.0);
    EXPECT_GE(f.heavy.share(f.heavy.accepted), 90.0);
    EXPECT_GE(f.orderFree.share(f.orderFree.accepted), 97.0);
    EXPECT_EQ(f.orderChecked.rejected, 0);
    EXPECT_GE(f.orderChecked.share(f.orderChecked.hinted), 99.0);
    EXPECT_GT(f.lookalike.total(), 300);
    EXPECT_LE(f.lookalike.share(f.lookalike.accepted), 2.0);
    EXPECT_EQ(f.missing.accepted, 0);
    EXPECT_EQ(f.extraDot.accepted, 0);
}
