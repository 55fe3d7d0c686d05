// SPDX-License-Identifier: GPL-3.0-or-later
// The edits of a question's kind and of the fields its kind has, each the question it makes of
// another: what the teacher's form does, as plain values. No widgets.
#pragma once

#include "model/test.h"

namespace kovra {

// What an edit of a question's kind fields changes; each is a step of its own name.
enum class KindEdit
{
    Kind,
    Ticked,       // a choice ticked or not, the credits spread over the ticked ones
    Weight,       // a choice's credit
    Spread,       // the credits spread evenly over the ticked choices
    AllOrNothing, // the flag
    Answer,       // an accepted answer's text, credit or tolerance
    AddAnswer,
    RemoveAnswer,
    CaseMatters,
    Unit, // a unit's name or multiplier
    AddUnit,
    RemoveUnit,
    UnitsIgnored,
    UnitFirst,
    UnitPenalty, // its amount, or whether it is taken off the point
    Item,        // an item's text
    ItemAnswer,
    AddItem,
    RemoveItem,
    AddExtra, // an answer offered that no item has
    RemoveExtra,
};

// The most answers a typed answer or a number may accept, and units a number may have, that the
// form adds (a file may bring more, which the form shows all the same).
inline constexpr int kMaxAcceptedEdited = 10;
inline constexpr int kMaxUnitsEdited = 10;

// A credit of this percent, as a file that holds it in percent gives it back.
[[nodiscard]] double creditOfPercent(double percent);
// The most choices a question of the kind may have: five for single choice, more for several.
[[nodiscard]] qsizetype mostChoices(QuestionKind kind);

// The question as `kind` has it: its text, explanation and figure kept, and what the other kind
// can keep of its answers. Between single choice and several, the right choice gets the whole
// credit, and the choice of the highest credit becomes the right one.
[[nodiscard]] Question convertedTo(const Question &question, QuestionKind kind);

// Several: the choice ticked or not, and the whole credit spread evenly over the ticked ones;
// choices that are not ticked keep a credit below 0 and lose one above.
[[nodiscard]] Question withTicked(Question question, int choice, bool ticked);
// Several: the whole credit spread evenly over the choices of credit above 0.
[[nodiscard]] Question withCreditsSpread(Question question);

// Matching: item `item`'s answer becomes `text`. The items of one answer text share it, as the
// file names each item's answer by its text: a text another answer offered has is that answer
// (the answer of this item alone no more offered); an answer of this item alone is typed over;
// else the item gets an answer of its own.
[[nodiscard]] Question withItemAnswer(Question question, int item, const QString &text);
// Matching: the item and, when no other item has it, its answer taken away.
[[nodiscard]] Question withoutItem(Question question, int item);
// Matching: the answer offered taken away, the items after it renumbered.
[[nodiscard]] Question withoutChoice(Question question, int choice);
// Matching: the answers offered that no item has, in their order.
[[nodiscard]] std::vector<int> extraAnswers(const Question &question);

} // namespace kovra
