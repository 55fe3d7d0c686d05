// SPDX-License-Identifier: GPL-3.0-or-later
// The rules a test keeps for the player, checked on the test itself: the counts, each text,
// each question's choices and right one, its explanation and figure. The reader of a test's
// file checks its shape and hands each question here; the teacher's window checks its test
// here after every edit.
#pragma once

#include "danni.h"
#include "figures.h"
#include "model/test.h"
#include "problems.h"

#include <functional>
#include <optional>

namespace kovra {

using ProblemSink = std::function<void(Problem)>;

// One line of text: no line break, no control character, each character one of Windows-1251's.
// False, with the problem, when it breaks one.
bool checkLine(const QString &text, int question, const Place &place, const ProblemSink &add);

// The fields of a question whose reading already failed: the rules pass over them.
struct Unread
{
    bool text = false;
    bool choices = false;
    bool right = false;
    bool explanation = false;
};

// The most items a matching question may have, and answers it may offer.
inline constexpr qsizetype kMaxItems = 10;
inline constexpr qsizetype kMaxMatchAnswers = 12;
// The most choices a question of several right answers may have: past five, the window shows
// them in a panel of check boxes where single choice has its five answer places.
inline constexpr qsizetype kMaxSeveralChoices = 10;
// The most choices (for matching, answers offered) a question of the kind may have.
[[nodiscard]] constexpr qsizetype mostChoicesOf(QuestionKind kind)
{
    return kind == QuestionKind::Matching  ? kMaxMatchAnswers
           : kind == QuestionKind::Several ? kMaxSeveralChoices
                                           : KOVRA_Danni::kMaxChoices;
}

// Question `number` (1-based), but for its figure's check.
void checkQuestion(const Question &question, int number, bool phrase, const ProblemSink &add,
                   Unread unread = {});

// The settings that take single choice only (the phrase mode, the repeat check), each against
// the first question of another kind.
void checkKinds(const Test &test, const ProblemSink &add);

// How many questions a test of `count` may have, and a run of it draw; `draw` 0 draws none.
[[nodiscard]] std::optional<Problem> checkQuestionCount(int count, std::optional<int> draw,
                                                        bool askAgain);

// The problem of a figure the check refused.
[[nodiscard]] Problem figureProblem(FigureFault fault, int question, const QString &name,
                                    QSize size);

// The name a question's figure has in a test file.
[[nodiscard]] QString figureEntry(int number, const QByteArray &suffix);

// Every rule, by question; the figures as their check found them when they were set.
[[nodiscard]] Problems checkTest(const Test &test);

// Checks every figure that has bytes and no check yet, on every core at once, as the reader of
// a test's file does: its format, size and fault.
void inspectFigures(Test &test, FigureSource source);

} // namespace kovra
