#include "review/fsrs.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr std::array<double, 21> w = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                                      0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                                      1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
constexpr double kDecay = -w[20];
constexpr double kMinStability = 0.001;
constexpr double kMaxStability = 36500;

// 0.9^(1/decay) - 1, so that R(S, S) = 0.9.
const double kFactor = std::pow(Fsrs::kDesiredRetention, 1 / kDecay) - 1;
// D0 of the easiest grade, unclamped: the target of the mean reversion.
const double kEasyInitialDifficulty = w[4] - std::exp(w[5] * 3) + 1;
// I(r, S) = S / factor * (r^(1/decay) - 1) at the desired retention, as a multiple of S.
const double kIntervalScale = (std::pow(Fsrs::kDesiredRetention, 1 / kDecay) - 1) / kFactor;
const double kExpW8 = std::exp(w[8]);
const double kLapseCap = std::exp(w[17] * w[18]);

double initialDifficulty(int grade)
{
    return w[4] - std::exp(w[5] * (grade - 1)) + 1;
}

double clampStability(double stability)
{
    return std::clamp(stability, kMinStability, kMaxStability);
}

double nextDifficulty(double difficulty, int grade)
{
    const double moved = difficulty - w[6] * (grade - 3) * (10 - difficulty) / 9;
    return std::clamp(w[7] * kEasyInitialDifficulty + (1 - w[7]) * moved, 1.0, 10.0);
}

} // namespace

MemoryState Fsrs::first(Grade grade) const
{
    const int g = static_cast<int>(grade);
    return {w[g - 1], std::clamp(initialDifficulty(g), 1.0, 10.0)};
}

MemoryState Fsrs::next(const MemoryState& state, int elapsedDays, Grade grade) const
{
    const int g = static_cast<int>(grade);
    const double s = clampStability(state.stability);
    const double d = std::clamp(state.difficulty, 1.0, 10.0);
    double stability = 0;
    if (elapsedDays <= 0) {
        double increase = std::exp(w[17] * (g - 3 + w[18])) * std::pow(s, -w[19]);
        if (g >= 3)
            increase = std::max(increase, 1.0);
        stability = s * increase;
    } else {
        const double r = recall({s, d}, elapsedDays);
        if (grade == Grade::Again) {
            stability = std::min(w[11] * std::pow(d, -w[12]) * (std::pow(s + 1, w[13]) - 1) *
                                     std::exp(w[14] * (1 - r)),
                                 s / kLapseCap);
        } else {
            stability =
                s * (kExpW8 * (11 - d) * std::pow(s, -w[9]) * (std::exp(w[10] * (1 - r)) - 1) + 1);
        }
    }
    return {clampStability(stability), nextDifficulty(d, g)};
}

double Fsrs::recall(const MemoryState& state, double elapsedDays) const
{
    return std::pow(1 + kFactor * std::max(elapsedDays, 0.0) / clampStability(state.stability),
                    kDecay);
}

int Fsrs::intervalDays(const MemoryState& state) const
{
    const double days = clampStability(state.stability) * kIntervalScale;
    // Rounded half up by hand: positive, and std::round would be a library call per answer.
    return static_cast<int>(std::clamp(days, 1.0, double(kMaxInterval)) + 0.5);
}
