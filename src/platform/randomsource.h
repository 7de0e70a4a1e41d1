#pragma once

#include <random>

// Uniform random numbers in [0, 1). Injected so that tests can script every draw.
class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual double nextUnit() = 0;
};

// Seeded from the clock, so every run draws differently.
class SystemRandom : public RandomSource
{
public:
    SystemRandom();
    double nextUnit() override;

private:
    std::mt19937_64 m_engine;
    std::uniform_real_distribution<double> m_unit{0.0, 1.0};
};
