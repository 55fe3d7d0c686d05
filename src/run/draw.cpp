// SPDX-License-Identifier: GPL-3.0-or-later
#include "draw.h"

#include <algorithm>
#include <numeric>

namespace kovra {

std::vector<int> drawQuestions(int total, int count, RandomSource &random)
{
    std::vector<int> order(static_cast<std::size_t>(std::max(total, 0)));
    std::iota(order.begin(), order.end(), 0);
    count = std::clamp(count, 0, total);
    for (int i = 0; i < count; ++i) {
        // u is below 1, so the pick stays below total; the clamp guards the float's rounding.
        const int left = total - i;
        const int pick = i + std::min(left - 1, static_cast<int>(random.next() * float(left)));
        std::swap(order[static_cast<std::size_t>(i)], order[static_cast<std::size_t>(pick)]);
    }
    order.resize(static_cast<std::size_t>(count));
    return order;
}

std::vector<int> drawRun(const Test &test, KOVRA_Danni &content, RandomSource &random)
{
    std::vector<int> picks = drawQuestions(int(test.questions.size()), test.draw, random);
    placeQuestions(test, picks, content);
    return picks;
}

} // namespace kovra
