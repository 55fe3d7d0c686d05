// SPDX-License-Identifier: GPL-3.0-or-later
// A question of each kind on paper: what the pupils answer it in (the choices lettered, a box to
// tick each when more than one may be right, a line to write on, the items numbered with a blank
// each beside the answers lettered), and its right answer for the teacher's key, in full and in
// the key's grid. HTML, every text escaped. Needs no widgets.
#pragma once

#include <QString>

namespace kovra {

struct Question;

// The letter a choice (from 0) is printed with, as the pupils write it down; "?" past the last.
[[nodiscard]] QString choiceLetter(qsizetype index);
// What follows the question's text on the pupils' paper. `indent`: the left margin of the lines.
[[nodiscard]] QString answerPaperHtml(const Question &question, int indent);
// The right answer in plain words, as rightAnswerText gives it but a number in the language's
// own decimal sign and its unit: for the key's grid and the review sheets.
[[nodiscard]] QString rightAnswerWords(const Question &question);
// The right answer in the key's grid, short: the letters of the right choices, the answer
// typed, each item's number and its answer's letter.
[[nodiscard]] QString keyCellText(const Question &question);
// The right answer in full, lines ending in <br>, the answers in bold: the right choice; each
// choice and its credit (or the right ones, when all or nothing); every answer accepted and its
// credit, what a star means, whether case matters; a number, its tolerance and units; each item and
// its answer.
[[nodiscard]] QString keyAnswerHtml(const Question &question);
// A credit (from 0 to 1) in per cent, as a key gives it: "50 %", "−100 %".
[[nodiscard]] QString creditPercent(double credit);

} // namespace kovra
