#pragma once

// The FSRS-6 memory model with its published default parameters and a desired retention of
// 0.9. No learning steps and no fuzz: the drills repeat a wrong idiom themselves.
enum class Grade { Again = 1, Good = 3 };

struct MemoryState
{
    double stability = 0;  // days until recall falls to 0.9
    double difficulty = 0; // 1..10
};

class Fsrs
{
public:
    MemoryState first(Grade grade) const;
    // elapsedDays = whole local days since the previous graded answer; 0 (or less, from a
    // clock set back) uses the same-day formula.
    MemoryState next(const MemoryState& state, int elapsedDays, Grade grade) const;
    double recall(const MemoryState& state, double elapsedDays) const; // retrievability R(t, S)
    int intervalDays(const MemoryState& state) const; // round(I(0.9, S)), clamped to 1..365

    static constexpr double kDesiredRetention = 0.9;
    static constexpr int kMaxInterval = 365;
};
