// SPDX-License-Identifier: GPL-3.0-or-later
// A bank bigger than one run: every question of a test whose setting "draw" says how many each
// run takes. KOVRA_Danni holds the questions of one run; the start-up draws them from here.
#pragma once

#include "danni.h"

#include <QByteArray>
#include <vector>

namespace kovra {

// The most questions a test may hold when it draws each run's questions from them.
inline constexpr int kMaxPoolQuestions = 1000;

struct PooledQuestion
{
    TextList question;    // as List1(k): row 0 the text, rows 1..c the choices
    QByteArray key;       // as List1(0)'s row
    TextList explanation; // as Obqsnenie(k)
    QByteArray figure;    // the figure file's bytes, null when none
    QByteArray figureFormat;
};

struct QuestionPool
{
    std::vector<PooledQuestion> questions;
    int draw = 0; // the questions each run takes
};

// Puts the pool's questions `picks` (0-based, in this order) into slots 1..n of the content,
// with the answer key, explanations and figures, as if the test held just them.
void placeQuestions(const QuestionPool &pool, const std::vector<int> &picks, KOVRA_Danni &content);

} // namespace kovra
