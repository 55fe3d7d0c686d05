// SPDX-License-Identifier: GPL-3.0-or-later
// The questions of a run drawn from a bigger bank: at every start, each question equally likely,
// none twice.
#pragma once

#include "../content/test_content.h"
#include "random.h"

#include <vector>

namespace kovra {

// `count` of the indices 0..total-1 in the order drawn (a partial Fisher-Yates shuffle, one
// draw each).
std::vector<int> drawQuestions(int total, int count, RandomSource &random);

// Draws a run of the test that draws its questions and puts it into the content, before the
// start-up builds the run from it as from any test. Returns the test's index of each question
// placed, by its slot from 0.
std::vector<int> drawRun(const Test &test, KOVRA_Danni &content, RandomSource &random);

} // namespace kovra
