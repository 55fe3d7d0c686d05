// SPDX-License-Identifier: GPL-3.0-or-later
// Geometry of the two progress-bar pairs, in twips, single precision.
#pragma once

namespace kovra {

struct BarPair
{
    float firstLeft = 0;
    float firstWidth = 0;
    float secondLeft = 0;
    float secondWidth = 0;
};

// The start-up layout: the first bar keeps its width from the left edge of "Напред", the
// second fills the rest up to the right edge of "Назад".
BarPair initialBars(float firstWidth, float forwardLeft, float backLeft, float backWidth);

// The common right end of both pairs: 50 twips short of the right edge of "Назад".
float barEnd(float backLeft, float backWidth);

// A pair showing `filled` parts of `count`: the first bar is 50 + filled * end / count wide,
// the second runs on to `end`. A second bar that would be negative gets width 0.
BarPair progressBars(float firstLeft, float end, int filled, int count);

// The filled parts of the answered pair: one less than the answered count from the first
// answer on, so that no answer and one answer both show the bare 50 twips.
int answeredParts(int answered);

} // namespace kovra
