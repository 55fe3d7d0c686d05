// SPDX-License-Identifier: GPL-3.0-or-later
#include "bars.h"

#include <algorithm>

namespace kovra {

namespace {
constexpr float kMargin = 50.0F;
}

BarPair initialBars(float firstWidth, float forwardLeft, float backLeft, float backWidth)
{
    BarPair bars;
    bars.firstLeft = forwardLeft;
    bars.firstWidth = firstWidth;
    bars.secondLeft = bars.firstLeft + bars.firstWidth;
    const float right = backLeft + backWidth;
    bars.secondWidth = std::max(0.0F, right - bars.secondLeft);
    return bars;
}

float barEnd(float backLeft, float backWidth)
{
    return backLeft + backWidth - kMargin;
}

BarPair progressBars(float firstLeft, float end, int filled, int count)
{
    BarPair bars;
    bars.firstLeft = firstLeft;
    // In the order written: the product, then the quotient, then the margin.
    const double product = static_cast<double>(filled) * static_cast<double>(end);
    bars.firstWidth = static_cast<float>(kMargin + product / count);
    bars.secondLeft = bars.firstLeft + bars.firstWidth;
    bars.secondWidth = std::max(0.0F, end - bars.secondLeft);
    return bars;
}

int answeredParts(int answered)
{
    return answered >= 1 ? answered - 1 : answered;
}

} // namespace kovra
