#include "review/fsrs.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

// Expected values worked out from the FSRS-6 formulas with the default parameters in a
// separate double-precision calculation.
constexpr double kTolerance = 1e-9;

// Replays (days since the previous answer, grade) pairs; the first pair's days are ignored.
std::vector<MemoryState> replay(const std::vector<std::pair<int, Grade>>& answers)
{
    const Fsrs fsrs;
    std::vector<MemoryState> states{fsrs.first(answers.front().second)};
    for (size_t i = 1; i < answers.size(); ++i)
        states.push_back(fsrs.next(states.back(), answers[i].first, answers[i].second));
    return states;
}

void expectState(const MemoryState& state, double stability, double difficulty)
{
    EXPECT_NEAR(state.stability, stability, kTolerance);
    EXPECT_NEAR(state.difficulty, difficulty, kTolerance);
}

} // namespace

TEST(FsrsTest, FirstGoodGivesTwoDaysAndFirstAgainOne)
{
    const Fsrs fsrs;
    expectState(fsrs.first(Grade::Good), 2.3065, 2.118103970459015);
    expectState(fsrs.first(Grade::Again), 0.212, 6.4133);
    EXPECT_EQ(fsrs.intervalDays(fsrs.first(Grade::Good)), 2);
    EXPECT_EQ(fsrs.intervalDays(fsrs.first(Grade::Again)), 1);
}

TEST(FsrsTest, AgainThenGoodsOnTheSameDayStayAtOneDay)
{
    const auto states = replay({{0, Grade::Again}, {0, Grade::Good}, {0, Grade::Good}});
    expectState(states[1], 0.24668918777567272, 6.402115069296838);
    expectState(states[2], 0.2842063592758949, 6.3909413235243795);
    EXPECT_EQ(Fsrs().intervalDays(states[2]), 1);
}

TEST(FsrsTest, SequencesOverSeveralDaysMatchTheFormulas)
{
    // Good; 2 days on Good; 5 days on Good; 12 days on Again; 1 day on Good.
    const auto kept = replay({{0, Grade::Good},
                              {2, Grade::Good},
                              {5, Grade::Good},
                              {12, Grade::Again},
                              {1, Grade::Good}});
    expectState(kept[1], 10.964332335820703, 2.1112142357853942);
    expectState(kept[2], 30.13323120791685, 2.1043313908464474);
    expectState(kept[3], 2.2595549163081223, 7.389975788014609);
    expectState(kept[4], 4.29545669399454, 7.377814181523433);
    EXPECT_EQ(Fsrs().intervalDays(kept[2]), 30);

    // Again; 1 day on Good; 3 days on Again; 1 day on Good; the same day Good again.
    const auto shaky = replay({{0, Grade::Again},
                               {1, Grade::Good},
                               {3, Grade::Again},
                               {1, Grade::Good},
                               {0, Grade::Good}});
    expectState(shaky[1], 1.8867876195204154, 6.402115069296838);
    expectState(shaky[2], 0.5313817930227008, 8.802628058192235);
    expectState(shaky[4], 1.6232023822309387, 8.775493114928288);
}

TEST(FsrsTest, RecallFallsToNinetyPercentAfterStabilityDays)
{
    const Fsrs fsrs;
    EXPECT_NEAR(fsrs.recall({10, 5}, 10), 0.9, kTolerance);
    EXPECT_NEAR(fsrs.recall({10, 5}, 30), 0.8093881035731708, kTolerance);
    EXPECT_NEAR(fsrs.recall(fsrs.first(Grade::Good), 3), 0.8809479557659419, kTolerance);
    EXPECT_DOUBLE_EQ(fsrs.recall({10, 5}, 0), 1.0);
    EXPECT_EQ(fsrs.intervalDays({5000, 5}), 365);
}

TEST(FsrsTest, ASameDayGoodNeverLowersAStabilityOfSeveralDays)
{
    // Above a stability of 2.12 days the same-day increase e^(0.5425 × 0.0912) × S^−0.0658
    // falls below 1 (0.898 at 10.96, 0.741 at 200): a Good keeps the stability as it was.
    const Fsrs fsrs;
    for (const double stability : {2.3065, 10.964332335820703, 200.0})
        EXPECT_EQ(fsrs.next({stability, 2.1112142357853942}, 0, Grade::Good).stability, stability);
}
