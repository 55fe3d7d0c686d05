// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up rules that build a test run from the content: the check question, the
// question order from a prime step, and one answer order per question.
#pragma once

#include "../content/danni.h"
#include "random.h"
#include "run_state.h"

#include <QByteArray>

namespace kovra {

// Appends the check question, a copy of question 1, as the question after the last one;
// it takes question 1's figure and explanation with it.
void appendCheckQuestion(KOVRA_Danni &content);

// Trims the step-prime list to the primes below QuestionCount and draws OrderStep from it,
// drawing again while the prime divides QuestionCount.
void PickOrderStep(RunState &state, RandomSource &random);

// One row of Poredica(c), drawn with one u.
QByteArray drawAnswerOrder(const KOVRA_Danni &content, int choices, RandomSource &random);

// Clears the five per-position lists and fills them: "-1" rows, the question order and,
// by question index, the answer orders.
void fillRunLists(const KOVRA_Danni &content, RunState &state, RandomSource &random);

// Every start-up step that touches no widget, in start-up order: the check question when its
// setting is on, QuestionCount, OrderStep, AnsweredCount, the run lists, CurrentPos. Form_Load
// runs the start-up through it.
void startRun(KOVRA_Danni &content, RunState &state, RandomSource &random);

} // namespace kovra
