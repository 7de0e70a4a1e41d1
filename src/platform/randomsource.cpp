#include "platform/randomsource.h"

#include <chrono>

SystemRandom::SystemRandom()
    : m_engine(static_cast<std::uint64_t>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count()))
{
}

double SystemRandom::nextUnit()
{
    return m_unit(m_engine);
}
