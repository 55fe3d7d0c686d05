// SPDX-License-Identifier: GPL-3.0-or-later
#include "random.h"

#include <chrono>
#include <stdexcept>

namespace kovra {

ClockRandom::ClockRandom()
    : m_engine(static_cast<unsigned>(
          std::chrono::high_resolution_clock::now().time_since_epoch().count()))
{}

float ClockRandom::next()
{
    // 24 random bits: every value is exact in single precision and below 1.
    constexpr float kScale = 1.0F / 16777216.0F;
    return static_cast<float>(m_engine() >> 8U) * kScale;
}

float FixedDraws::next()
{
    if (m_next >= m_draws.size()) {
        throw std::logic_error("the fixed sequence of draws is used up");
    }
    return m_draws[m_next++];
}

} // namespace kovra
