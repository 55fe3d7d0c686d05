// SPDX-License-Identifier: GPL-3.0-or-later
// How an answer to a question is marked, of every kind: the credit it earns, from 0 to 1, by the
// texts the pupil chose or typed, so that the order a run showed them in never matters.
#pragma once

#include "test.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace kovra {

// The longest answer a pupil may type.
inline constexpr qsizetype kMaxTypedChars = 200;

// What a pupil answered one question with.
struct Response
{
    // Single and Several: the texts of the choices chosen. Matching: the answer picked for each
    // item, in the items' order; an empty text where none was.
    QStringList picked{};
    QString typed{}; // Typed and Number
    [[nodiscard]] bool isEmpty() const;
    bool operator==(const Response &) const = default;
};

// What a position of a run of another kind than single choice holds, as the window shows it: the
// choices or the answers offered in the order shown, the answer, its credit.
struct KindAnswer
{
    QuestionKind kind = QuestionKind::Single; // Single: the position is of single choice
    QStringList shown{};
    Response response{};
    double credit = 0;
    bool operator==(const KindAnswer &) const = default;
};

// The credit of a response: 1 right, 0 wrong (or no answer), between them partly right.
[[nodiscard]] double creditOf(const Question &question, const Response &response);

// A number's value with the question's first unit, before or after it as the question writes
// it; the value alone when it has none.
[[nodiscard]] QString withUnit(const Question &question, const QString &value);
// A text with each decimal point between digits made a comma, as Bulgarian writes numbers.
[[nodiscard]] QString withDecimalComma(QString text);

// The right answer in plain words, for the review, the key and the sheets: the right choices
// ("a; b"), the first answer of full credit, a number and its tolerance ("2.5 ± 0.01"), each
// item and its answer ("a → 1; b → 2").
[[nodiscard]] QString rightAnswerText(const Question &question);

// A text with the Latin letters that look like Cyrillic ones (a, c, e, o, p, x, y; A, B, C, E, H,
// K, M, O, P, T, X) written as those: pupils switch keyboard layouts without seeing it.
[[nodiscard]] QString cyrillicLookAlikes(const QString &text);
// A typed text as it is compared: blanks at the ends taken off, runs of blanks made one, the
// look-alike letters made one, and the case left off unless it matters.
[[nodiscard]] QString typedForm(const QString &text, bool caseMatters);
// Whether a typed answer is an accepted one, a `*` in it standing for any text (`\*` for a star).
[[nodiscard]] bool typedMatches(const QString &accepted, const QString &typed, bool caseMatters);

// A number as people write it: a sign, digits with blanks between groups, a decimal comma or
// point, an exponent; the text after it in `rest`, its blanks taken off. None when it starts
// with no number.
[[nodiscard]] std::optional<double> leadingNumber(const QString &text, QString *rest = nullptr);
// A number a pupil typed, in the question's first unit, and whether its unit is one the
// question takes (or none was needed).
struct TypedNumber
{
    double value = 0;
    bool unitRight = true;
};
// The number a pupil typed for a number question; none when it is no number, or has a text
// beside it the question does not take (a unit it does not know, when no penalty is set).
[[nodiscard]] std::optional<TypedNumber> typedNumber(const Question &question,
                                                     const QString &typed);

} // namespace kovra
