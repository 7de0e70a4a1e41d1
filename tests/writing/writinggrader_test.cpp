#include "writing/writinggrader.h"
#include "writingfixture.h"
#include "writinggenerator.h"

namespace {

constexpr double kBox = 300.0;

Strokes written(const char* kanji, Fault fault = Fault::None, quint64 seed = 1)
{
    WritingGenerator pupil(seed);
    return pupil.write(strokesOf(kanji), Noise::Light, fault, kBox);
}

WritingGrade gradeAs(const char* expected, const Strokes& strokes, bool order)
{
    return gradeWriting(strokesOf(expected), strokes, kBox, order);
}

} // namespace

// The right kanji, however small or off centre in the box, with the order checked or not.
TEST(WritingGraderTest, TheRightKanjiIsAccepted)
{
    Strokes small = written("末");
    for (Stroke& stroke : small)
        for (QPointF& p : stroke)
            p = p / 3 + QPointF(180, 20); // a third of the size, top right
    for (bool order : {false, true}) {
        EXPECT_EQ(gradeAs("末", small, order).verdict, Verdict::Accept);
        EXPECT_EQ(gradeAs("鶴", written("鶴"), order).verdict, Verdict::Accept);
    }
    EXPECT_EQ(gradeAs("末", {}, false).verdict, Verdict::Reject);
}

// One stroke too few or too many is near, with the hint to count them; never accepted.
TEST(WritingGraderTest, AStrokeCountOffByOneIsNearWithTheCountHint)
{
    for (Fault fault : {Fault::MissingStroke, Fault::ExtraDot}) {
        const WritingGrade grade = gradeAs("語", written("語", fault), false);
        EXPECT_EQ(grade.verdict, Verdict::Near);
        EXPECT_EQ(grade.reason, QStringLiteral("画数をかぞえてみよう"));
    }
    Strokes twoMissing = written("語");
    twoMissing.removeLast();
    twoMissing.removeLast();
    EXPECT_EQ(gradeAs("語", twoMissing, false).verdict, Verdict::Reject);
}

// Out of order or backwards: with 「書き順も見る」 a hint naming the stroke, without it accepted.
TEST(WritingGraderTest, OrderMistakesAreHintsOnlyWhenTheOrderIsChecked)
{
    Strokes swapped = written("末");
    swapped.swapItemsAt(0, 2);
    Strokes reversed = written("末");
    std::reverse(reversed[1].begin(), reversed[1].end());

    const WritingGrade outOfOrder = gradeAs("末", swapped, true);
    EXPECT_EQ(outOfOrder.verdict, Verdict::Near);
    EXPECT_EQ(outOfOrder.stroke, 1);
    EXPECT_EQ(outOfOrder.reason, QStringLiteral("1画目の書き順をたしかめよう"));
    const WritingGrade backwards = gradeAs("末", reversed, true);
    EXPECT_EQ(backwards.verdict, Verdict::Near);
    EXPECT_EQ(backwards.stroke, 2);
    EXPECT_EQ(backwards.reason, QStringLiteral("2画目は書く向きをたしかめよう"));

    // Close strokes fit each other's place too: 責's 7th and 8th, drawn the other way round.
    Strokes close = written("責");
    close.swapItemsAt(6, 7);
    EXPECT_EQ(gradeAs("責", close, true).stroke, 7);

    EXPECT_EQ(gradeAs("末", swapped, false).verdict, Verdict::Accept);
    EXPECT_EQ(gradeAs("末", reversed, false).verdict, Verdict::Accept);
}

// A look-alike is a wrong kanji even where only the strokes' proportions differ.
TEST(WritingGraderTest, ALookAlikeIsRejected)
{
    const std::pair<const char*, const char*> pairs[] = {{"末", "未"}, {"未", "末"}, {"士", "土"},
                                                         {"土", "士"}, {"体", "対"}, {"人", "入"}};
    for (const auto& [expected, wrote] : pairs)
        for (bool order : {false, true}) {
            const WritingGrade grade = gradeAs(expected, written(wrote), order);
            EXPECT_EQ(grade.verdict, Verdict::Reject) << expected << " " << wrote;
            EXPECT_EQ(grade.reason, QStringLiteral("お手本とちがう字になっています"));
        }
}
