// SPDX-License-Identifier: GPL-3.0-or-later
// The source of random draws: single-precision numbers u in [0, 1).
#pragma once

#include <random>
#include <vector>

namespace kovra {

class RandomSource
{
public:
    virtual ~RandomSource() = default;
    virtual float next() = 0;
};

// Seeded once from the clock, when it is made.
class ClockRandom final : public RandomSource
{
public:
    ClockRandom();
    explicit ClockRandom(unsigned seed) : m_engine(seed) {}
    float next() override;

private:
    std::mt19937 m_engine;
};

// A fixed sequence of draws, for tests and replays; running past its end is a fault.
class FixedDraws final : public RandomSource
{
public:
    explicit FixedDraws(std::vector<float> draws) : m_draws(std::move(draws)) {}
    float next() override;
    [[nodiscard]] std::size_t used() const { return m_next; }

private:
    std::vector<float> m_draws;
    std::size_t m_next = 0;
};

} // namespace kovra
